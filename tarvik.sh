#!/usr/bin/env bash
# One entry point for a fresh Debian machine:
#   ./tarvik.sh start [args...]  install what is missing, build the program, start Tarvik
#   ./tarvik.sh test             install what is missing, build everything, run every test
#   ./tarvik.sh bench            install what is missing, build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

# What building the program needs, and what the tests and benchmarks add.
program_packages=(g++ cmake ninja-build qt6-base-dev libedit-dev)
test_packages=(libgtest-dev libgmock-dev desktop-file-utils man-db)
bench_packages=(libbenchmark-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# configure <build folder> [cmake options...]
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

case "${1:-}" in
    start)
        shift
        install_missing "${program_packages[@]}"
        # Only the program, and a newer compiler's new warnings never stop it.
        # Build messages go to standard error, so a piped session's output
        # holds only the console's lines.
        configure build --no-warn-unused-cli -DTARVIK_TESTS=OFF -DTARVIK_WERROR=OFF
        cmake --build build --target tarvik >&2
        exec build/src/tarvik "$@"
        ;;
    test)
        install_missing "${program_packages[@]}" "${test_packages[@]}"
        configure build-test
        cmake --build build-test
        cd build-test
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
        ;;
    bench)
        install_missing "${program_packages[@]}" "${bench_packages[@]}"
        configure build -DTARVIK_BENCH=ON
        cmake --build build
        for b in build/bench/bench_*; do
            [ -f "$b" ] && [ -x "$b" ] && "$b"
        done
        ;;
    *)
        echo "usage: $0 start [args...] | test | bench" >&2
        exit 2
        ;;
esac
