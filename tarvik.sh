#!/usr/bin/env bash
# One entry point for a fresh Debian machine:
#   ./tarvik.sh start [args...]  install what is missing, build, start Tarvik
#   ./tarvik.sh test             install what is missing, build, run every test
#   ./tarvik.sh server [args...] install what is missing, build, start the result server
#   ./tarvik.sh bench            install what is missing, build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          libqt6sql6-sqlite libqt6sql6-psql libcpp-httplib-dev postgresql chromium)

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

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build build
}

case "${1:-}" in
    start)
        shift
        install_missing
        build
        exec build/src/tarvik "$@"
        ;;
    server)
        shift
        install_missing
        build
        exec build/src/server/tarvik-server "$@"
        ;;
    test)
        install_missing
        build
        cd build
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
        ;;
    bench)
        install_missing
        build -DTARVIK_BENCH=ON
        for b in build/bench/bench_*; do
            [ -f "$b" ] && [ -x "$b" ] && "$b"
        done
        ;;
    *)
        echo "usage: $0 start [args...] | server [args...] | test | bench" >&2
        exit 2
        ;;
esac
