#!/usr/bin/env bash
# Installs what the project needs (Debian packages, skipped when already there), builds, and
# then plays the demo game, runs the tests, the benchmarks or the fuzz targets.
#   ./build.sh demo    build and open the game window on the bundled demo
#   ./build.sh headless  build and play the bundled demo in the headless player (a terminal)
#   ./build.sh test    build and run the tests, plainly and under ASan + UBSan, then each
#                      fuzz target for 10 s
#   ./build.sh bench   build in Release and run the benchmarks, then time the interpreter's
#                      loops beside Lua 5.4
#   ./build.sh fuzz [SECONDS]  build the fuzz targets (clang, libFuzzer) in build-fuzz and
#                      run each for SECONDS (default 60); fails on any crash, leak, timeout or
#                      running out of memory
#   ./build.sh deps    only install the packages
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libcurl4-openssl-dev libjpeg62-turbo-dev libzip-dev
  qt6-base-dev qt6-multimedia-dev qt6-webengine-dev fonts-dejavu-core fonts-urw-base35
  xvfb xauth
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-libav timgm6mb-soundfont
  clang libclang-rt-14-dev llvm
)
# Only the benchmarks need these: bench/lua_compare.py times Lua beside the interpreter.
BENCH_PACKAGES=(lua5.4)

install_deps() {  # install_deps [extra packages...]
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

build_fuzz() {
  build build-fuzz -DZUNK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
}

jobs=$(nproc 2>/dev/null || echo 2)

case "${1:-}" in
  deps)
    install_deps
    ;;
  demo)
    install_deps
    build build
    exec build/bin/zunk build/demo --base farol
    ;;
  headless)
    install_deps
    build build
    exec build/bin/zunk-run build/demo --base farol
    ;;
  test)
    install_deps
    build build
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-asan -DZUNK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j "$jobs")
    build_fuzz
    fuzz/run_fuzzers.sh build-fuzz 10 --check
    ;;
  fuzz)
    install_deps
    build_fuzz
    fuzz/run_fuzzers.sh build-fuzz "${2:-60}"
    ;;
  bench)
    install_deps "${BENCH_PACKAGES[@]}"
    build build-release -DCMAKE_BUILD_TYPE=Release
    build-release/bin/zunk_bench
    python3 bench/lua_compare.py build-release/bin/zunk_bench
    build-release/bin/zunk_window_bench
    python3 bench/window_startup.py build-release/bin/zunk build-release/demo 10
    ;;
  *)
    sed -n '2,14p' "$0"
    exit 2
    ;;
esac
