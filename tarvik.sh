#!/usr/bin/env bash
# One entry point for a fresh Debian machine:
#   ./tarvik.sh start [args...]  install what is missing, build, start Tarvik
#   ./tarvik.sh test             install what is missing, build, run every test
#   ./tarvik.sh bench            install what is missing, build the benchmarks in build-bench and run them
set -euo pipefail
cd "$(dirname "$0")"

# Only what the build uses: the benchmarks are plain programs, not Google Benchmark.
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# build <folder> [cmake options...]
build() {
    local folder="$1"
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$folder"
}

case "${1:-}" in
    start)
        shift
        install_missing
        build build
        exec build/src/tarvik "$@"
        ;;
    test)
        install_missing
        build build
        cd build
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
        ;;
    bench)
        install_missing
        # A folder of its own, so the test build in build/ stays as it was.
        build build-bench -DTARVIK_BENCH=ON -DTARVIK_TESTS=OFF
        for b in build-bench/bench/bench_*; do
            [ -f "$b" ] && [ -x "$b" ] && "$b"
        done
        ;;
    *)
        echo "usage: $0 start [args...] | test | bench" >&2
        exit 2
        ;;
esac
