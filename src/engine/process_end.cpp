#include "engine/process_end.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tarvik {

namespace {
std::vector<ProcessEndTask> &endTasks()
{
    static std::vector<ProcessEndTask> tasks;
    return tasks;
}
} // namespace

void atProcessEnd(ProcessEndTask task)
{
    endTasks().push_back(std::move(task));
}

void endProcess(int exitCode)
{
    // Workers and the console may end the process at the same moment: the
    // first one runs the tasks and ends it, any other waits here until then.
    static std::mutex ending;
    ending.lock();
    for (const ProcessEndTask &task : endTasks())
        exitCode = task(exitCode);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(exitCode);
}

} // namespace tarvik
