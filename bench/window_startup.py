#!/usr/bin/env python3
"""Start-up of the game window: from launching `zunk DEMO --first-frame` to its first painted
frame (offscreen platform), and its resident memory then. Runs it RUNS times (default 10) and
prints the minimum and the median.

    bench/window_startup.py build/bin/zunk build/demo [RUNS]
"""
import os
import re
import statistics
import subprocess
import sys
import time


def main() -> int:
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, demo = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    times, memory = [], []
    for _ in range(runs):
        start = time.monotonic() * 1000.0
        out = subprocess.run([program, demo, "--base", "farol", "--first-frame"], env=env,
                             capture_output=True, text=True, check=True).stdout
        found = re.search(r"primeiro quadro: ([0-9.]+) ms, residente ([0-9.]+) MB", out)
        if not found:
            print("no first frame reported:", out)
            return 1
        times.append(float(found.group(1)) - start)
        memory.append(float(found.group(2)))
    print(f"first frame: min {min(times):.1f} ms, median {statistics.median(times):.1f} ms "
          f"over {runs} runs")
    print(f"resident after the first frame: min {min(memory):.1f} MB, "
          f"median {statistics.median(memory):.1f} MB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
