#include "program_child.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace tarvik::bench {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string &what, int error)
{
    throw std::runtime_error(what + ": " + std::strerror(error));
}

// A private folder, removed with everything in it when the run is over.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tarvik-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            fail("mkdtemp", errno);
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    fs::path subfolder(const std::string &name) const
    {
        const fs::path folder = m_path / name;
        fs::create_directory(folder);
        // The runtime folder holds the instance lock and must be the user's alone.
        fs::permissions(folder, fs::perms::owner_all);
        return folder;
    }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

// This process's environment, with the child's folders in place of the user's.
std::vector<std::string> childEnvironment(const ScratchFolder &scratch)
{
    const std::vector<std::string> overrides = {
        "XDG_RUNTIME_DIR=" + scratch.subfolder("runtime").string(),
        "XDG_CONFIG_HOME=" + scratch.subfolder("config").string(),
        "TARVIK_SYSTEM_DIR=" + scratch.subfolder("system").string(),
    };
    const auto nameOf = [](const std::string &variable) { return variable.substr(0, variable.find('=')); };
    std::vector<std::string> environment;
    for (char **entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        const bool overridden = std::any_of(overrides.begin(), overrides.end(),
                                            [&](const std::string &o) { return nameOf(o) == nameOf(variable); });
        if (!overridden)
            environment.push_back(variable);
    }
    environment.insert(environment.end(), overrides.begin(), overrides.end());
    return environment;
}

std::vector<char *> pointersTo(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the child with its standard input reading from `inputFd` and its
// output going to `outputFd`.
pid_t spawnChild(const std::string &binary, std::vector<std::string> environment, int inputFd, int outputFd)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDERR_FILENO);
    std::vector<std::string> arguments = {binary, "--console"};
    pid_t pid = 0;
    const int error = posix_spawn(&pid, binary.c_str(), &actions, nullptr, pointersTo(arguments).data(),
                                  pointersTo(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        fail("posix_spawn " + binary, error);
    return pid;
}

void writeAll(int fd, const std::string &text)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0)
            fail("write to child", errno);
        done += static_cast<std::size_t>(written);
    }
}

} // namespace

ChildRun runProgram(const std::string &binary, const std::string &input)
{
    const ScratchFolder scratch;
    const fs::path outputFile = scratch.path() / "output.txt";
    const int outputFd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (outputFd < 0)
        fail("open " + outputFile.string(), errno);
    int inputPipe[2];
    if (pipe2(inputPipe, O_CLOEXEC) != 0)
        fail("pipe", errno);

    const pid_t pid = spawnChild(binary, childEnvironment(scratch), inputPipe[0], outputFd);
    close(inputPipe[0]);
    close(outputFd);
    // The input fits in the pipe; closing it afterwards is the end of input.
    writeAll(inputPipe[1], input);
    close(inputPipe[1]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("wait4", errno);

    ChildRun run;
    run.peakResidentBytes = static_cast<long long>(usage.ru_maxrss) * 1024; // Linux counts kilobytes
    run.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::ifstream output(outputFile, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>());
    return run;
}

} // namespace tarvik::bench
