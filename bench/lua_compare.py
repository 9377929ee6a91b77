#!/usr/bin/env python3
"""Times the interpreter's two million-pass loops beside the same loops in Lua 5.4, in one run.

    python3 bench/lua_compare.py [ZUNK_BENCH] [REPETITIONS]

ZUNK_BENCH defaults to build-release/bin/zunk_bench. The script loops run through RunScript
from a script file (BM_RunScript_CountedLoop and BM_RunScript_CompareLoop); the Lua loops run
with `lua5.4 -e`, timed inside Lua around the loop alone, as Google Benchmark times the script
runs alone. Both sides count processor time (os.clock, and the benchmark's CPU time), so a busy
machine weighs on them alike. Each side keeps its best of REPETITIONS (default 5) runs; the
ratio is script time / Lua time.
"""
import json
import subprocess
import sys

LOOPS = [
    ("BM_RunScript_CountedLoop",
     "local c,a,b,d=1000000,0,0,0 ::volta:: a=a+1 b=b+3 d=d+1 "
     "if c>0 then c=c-1 goto volta end"),
    ("BM_RunScript_CompareLoop",
     "local i=0 ::volta:: i=i+1 if i<1000000 then goto volta end"),
]


def script_ms(bench, name, repetitions):
    out = subprocess.run(
        [bench, f"--benchmark_filter=^{name}$", "--benchmark_format=json",
         f"--benchmark_repetitions={repetitions}", "--benchmark_min_time=0.5"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    return min(b["cpu_time"] * scale[b["time_unit"]] for b in runs)


def lua_ms(code, repetitions):
    # A do block keeps the loop's locals and label to itself; os.clock times the loop alone.
    timed = ("local t=os.clock() do " + code + " end "
             "io.write(string.format('%.6f', (os.clock()-t)*1000))")
    return min(float(subprocess.run(["lua5.4", "-e", timed], check=True, capture_output=True,
                                    text=True).stdout) for _ in range(repetitions))


def main():
    bench = sys.argv[1] if len(sys.argv) > 1 else "build-release/bin/zunk_bench"
    repetitions = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    worst = 0.0
    for name, code in LOOPS:
        script = script_ms(bench, name, repetitions)
        lua = lua_ms(code, repetitions)
        ratio = script / lua
        worst = max(worst, ratio)
        print(f"{name:26} script {script:8.2f} ms   lua5.4 {lua:7.2f} ms   ratio {ratio:5.2f}")
    print(f"worst ratio {worst:.2f}")


if __name__ == "__main__":
    main()
