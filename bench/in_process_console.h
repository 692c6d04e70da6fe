#pragma once

#include "console/frm_main.h"
#include "run_timing.h"

#include <QApplication>

#include <cstdint>

namespace tarvik::bench {

// The test the figures are about: the numbers 0 to 33,554,431.
constexpr std::int16_t Test32M = 6;

// The program's own console window in this process, never shown, with real
// workers on their own threads calling it through the real gateway. Its runs
// are timed from the outside, the way a user's stopwatch would see them.
class InProcessConsole {
public:
    InProcessConsole(int &argc, char **argv);

    // From StartTest until the last worker has completed, for a quiet run of
    // test `size` with `threads` workers.
    RunTiming timeQuietRun(std::int16_t size, std::int16_t threads);

    // The machine's logical CPUs, the thread count the program starts with.
    static std::int16_t machineThreads();

private:
    QApplication m_app;
    frmMain m_console;
};

} // namespace tarvik::bench
