#include "engine/calculation.h"

#include "foundation/numbers.h"
#include "engine/newton.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tarvik {

namespace {

using numbers::numberText;
using numbers::roundHalfEven;

// A clock check every 2097152 / 8 numbers and a progress line every 2097152
// numbers of the worker's own range. The thresholds are kept as fractions of
// the range, as Low + count * fraction, so long ranges accumulate the same
// rounding on every machine.
constexpr double ReportSpan = 2097152.0;

class Thresholds {
public:
    Thresholds(std::int32_t low, std::int32_t count, double fraction)
        : m_low(low),
          m_count(count),
          m_step(fraction),
          m_next(fraction)
    {
        // A one-number range has no fractions to step through.
        m_at = count == 0 ? std::numeric_limits<double>::infinity() : m_low + m_count * m_next;
    }
    bool passedBy(double x) const { return m_at < x; }
    // Numbers up to this value do not pass.
    double threshold() const { return m_at; }
    double fraction() const { return m_next; }
    void advance()
    {
        m_next += m_step;
        m_at = m_low + m_count * m_next;
    }

private:
    double m_low;
    double m_count;
    double m_step;
    double m_next;
    double m_at;
};

std::string threadText(std::int16_t threadID)
{
    return " in thread " + std::to_string(threadID);
}

} // namespace

CalculationEnd Calculate(const WorkerJob &job, const WorkerContext &context, WorkerConsole &console)
{
    const char sep = context.decimalSeparator;
    std::vector<double> results;
    if (job.cache)
        results.assign(static_cast<std::size_t>(job.High - job.Low) + 1, 0.0);

    const std::string id = std::to_string(job.threadID);
    if (!job.quiet)
        console.PrintLn("Thread " + id + " calculating from " + std::to_string(job.Low) + " to " +
                        std::to_string(job.High) + " in THREAD#" + context.threadTag + ".");

    const std::int32_t count = job.High - job.Low;
    const double step = count == 0 ? 0.0 : ReportSpan / count;
    Thresholds report(job.Low, count, step);
    Thresholds check(job.Low, count, step / 8);
    long long errors = 0;
    double lastTime = 0;
    double curTime = 0;
    const Newton newton;

    // Locals, so the loop need not read the job again after every call.
    const double low = job.Low;
    const double high = job.High;
    const bool cache = job.cache;
    const bool quiet = job.quiet;
    double *const stored = results.data();
    const auto store = [=](double x, double r) {
        if (cache)
            stored[static_cast<std::size_t>(x - low)] = r;
    };
    double x = low;
    while (x <= high) {
        // Up to the next threshold a number needs nothing but its root: that
        // stretch runs without calls, so the compiler keeps it in registers
        // and the kernel alone sets the pace.
        const double calm = std::min({high, check.threshold(), quiet ? high : report.threshold()});
        for (; x <= calm; x += 1.0) {
            const double r = newton.Sqrt(x);
            if (r < 0) [[unlikely]]
                break;
            store(x, r);
        }
        if (x > high)
            break;
        // A number that passes a threshold, or whose root failed.
        const double r = newton.Sqrt(x);
        if (r == Newton::NonConvergent) {
            console.PrintLn("WARNING: Non-convergent in f(x)=x^2 - " + numberText(x) + threadText(job.threadID));
            ++errors;
        } else if (r == Newton::Incorrect) {
            console.PrintLn("WARNING: Incorrect result found for f(x)=x^2 - " + numberText(x) +
                            threadText(job.threadID));
            ++errors;
        } else {
            store(x, r);
        }
        if (check.passedBy(x)) {
            curTime = console.GetTime();
            if (curTime < lastTime) {
                console.PrintLn("Cheat detected.");
                return CalculationEnd::CheatDetected;
            }
            lastTime = curTime;
            check.advance();
        }
        if (!quiet && report.passedBy(x)) {
            console.PrintLn("Thread " + id + " is " + numberText(roundHalfEven(report.fraction() * 100)) +
                            "% complete @ " + numberText(roundHalfEven(curTime, 3), sep) + " seconds");
            report.advance();
        }
        x += 1.0;
    }

    if (!job.quiet) {
        console.PrintLn("Thread " + id + " complete with " + std::to_string(errors) + " errors!");
        console.PrintLn("Time taken: " + numberText(roundHalfEven(console.GetTime(), 3), sep) + " seconds");
    }
    if (job.cache)
        console.output(results, job.Low, job.threadID);
    console.complete(job.quiet, errors != 0);
    return CalculationEnd::Completed;
}

} // namespace tarvik
