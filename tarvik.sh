#!/usr/bin/env bash
# One entry point for a fresh Debian machine:
#   ./tarvik.sh start [args...]  install what is missing, build the program, start Tarvik
#   ./tarvik.sh test             install what is missing, build everything, run every test
#   ./tarvik.sh server [args...] install what is missing, build, start the result server
#   ./tarvik.sh bench            install what is missing, build the benchmarks in build-bench and run them
#   ./tarvik.sh package          install what is missing, build the Debian packages in build-package and check them
# Checks beyond the test suite, each in a build folder of its own:
#   ./tarvik.sh sanitize         the test suite under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan)
#   ./tarvik.sh tsan             the engine, console-gateway and result-server tests under ThreadSanitizer (build-tsan)
#   ./tarvik.sh clang            everything built with clang, and its test suite run (build-clang)
#   ./tarvik.sh fuzz [seconds]   each libFuzzer target for `seconds` (default 20) from its seeds (build-fuzz)
set -euo pipefail
cd "$(dirname "$0")"

# What building the programs needs, and what the tests and the other checks add.
# The benchmarks are plain programs, not Google Benchmark.
program_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev libedit-dev libqt6sql6-sqlite zlib1g-dev)
# The hardware report decodes CPUID with libcpuid, which exists for x86 only.
case "$(dpkg --print-architecture)" in
    amd64 | i386) program_packages+=(libcpuid-dev) ;;
esac
test_packages=(libgtest-dev libgmock-dev libcpp-httplib-dev desktop-file-utils man-db locales libqt6sql6-psql postgresql pgbouncer chromium)
# The install test finds score files by their MIME type.
test_packages+=(shared-mime-info libglib2.0-bin)
clang_packages=(clang libclang-rt-14-dev)
# Building and checking the packages; what the build itself needs is
# debian/control's Build-Depends.
packaging_packages=(build-essential dpkg-dev debhelper devscripts lintian appstream desktop-file-utils
    shared-mime-info man-db)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Only the packages named, without what they recommend.
install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# configure <build folder> [cmake options...]: ccache is used when it is installed.
configure() {
    local folder=$1
    shift
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$folder" -G Ninja "${launcher[@]}" "$@" >/dev/null
}

run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
}

# The tests of the worker threads and of the gateway that carries their calls
# to the console's thread.
engine_tests='Calculation*:Newton*:RunPlan*:TestRun*:Verification*'
gateway_tests='ConsoleGateway*'
# The result server's tests that cross its threads: the event loop, the
# database's writer and the page readers.
server_tests='HostileClients*:ConcurrentLoad*:SQLite/ProtocolTest*:ResultsApi*'

case "${1:-}" in
    start)
        shift
        install_missing "${program_packages[@]}"
        # Only the program, and a newer compiler's new warnings never stop it.
        # Build messages go to standard error, so a piped session's output
        # holds only the console's lines.
        configure build --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_WERROR=OFF
        cmake --build build --target tarvik >&2
        exec build/src/tarvik "$@"
        ;;
    server)
        shift
        install_missing "${program_packages[@]}"
        configure build --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_WERROR=OFF
        cmake --build build --target tarvik-server >&2
        exec build/src/server/tarvik-server "$@"
        ;;
    test)
        install_missing "${program_packages[@]}" "${test_packages[@]}"
        configure build-test -DCMAKE_BUILD_TYPE=Release
        cmake --build build-test
        run_tests build-test
        ;;
    bench)
        install_missing "${program_packages[@]}" "${test_packages[@]}"
        # A folder of its own, so the test build stays as it was. The tests
        # are configured, not built: the server benchmark uses their harness.
        configure build-bench -DCMAKE_BUILD_TYPE=Release -DTARVIK_BENCH=ON
        cmake --build build-bench --target benchmarks
        for b in build-bench/bench/bench_*; do
            [ -f "$b" ] && [ -x "$b" ] && "$b"
        done
        ;;
    package)
        install_missing "${packaging_packages[@]}"
        if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
            as_root apt-get update
            as_root env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y --no-install-recommends ./
        fi
        .ci/package build-package
        ;;
    sanitize)
        install_missing "${program_packages[@]}" "${test_packages[@]}"
        configure build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=address,undefined
        # Every test program and the programs they start (the result server,
        # the report helper), so the whole suite runs instrumented.
        cmake --build build-asan
        ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        ;;
    tsan)
        install_missing "${program_packages[@]}" "${test_packages[@]}"
        configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_SANITIZE=thread
        cmake --build build-tsan --target core_tests app_tests server_tests server_postgresql_tests
        # The server the tests start is built with the sanitizer too and
        # inherits these options: a report ends it, and its log shows why.
        export TSAN_OPTIONS="suppressions=$PWD/.ci/tsan-qt.supp:halt_on_error=1:second_deadlock_stack=1"
        build-tsan/tests/core_tests --gtest_filter="$engine_tests"
        QT_QPA_PLATFORM=offscreen build-tsan/tests/app_tests --gtest_filter="$gateway_tests"
        build-tsan/tests/server/server_tests --gtest_filter="$server_tests"
        build-tsan/tests/server/server_postgresql_tests
        ;;
    clang)
        install_missing "${program_packages[@]}" "${test_packages[@]}" "${clang_packages[@]}"
        configure build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_BENCH=ON
        cmake --build build-clang
        run_tests build-clang
        ;;
    fuzz)
        seconds=${2:-20}
        install_missing "${program_packages[@]}" "${clang_packages[@]}"
        configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
            -DTARVIK_FUZZ=ON -DTARVIK_TESTS=OFF
        targets=()
        for seeds in fuzz/corpus/*/; do targets+=("fuzz_$(basename "$seeds")"); done
        cmake --build build-fuzz --target "${targets[@]}"
        # Every target runs, whatever an earlier one found; the stage fails
        # at the end if any did.
        failed=()
        for target in "${targets[@]}"; do
            name=${target#fuzz_}
            # New inputs go to a corpus in the build folder; the seeds stay as
            # they are. Absolute paths, as the table target works in a folder
            # of its own.
            mkdir -p "build-fuzz/corpus/$name"
            echo "== $target for ${seconds} s"
            "build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
                -artifact_prefix="$PWD/build-fuzz/$target-" "$PWD/build-fuzz/corpus/$name" "$PWD/fuzz/corpus/$name" ||
                failed+=("$target")
        done
        if [ ${#failed[@]} -gt 0 ]; then
            echo "== fuzz targets that failed: ${failed[*]}" >&2
            exit 1
        fi
        ;;
    *)
        echo "usage: $0 start [args...] | server [args...] | test | bench | package | sanitize | tsan | clang | fuzz [seconds]" >&2
        exit 2
        ;;
esac
