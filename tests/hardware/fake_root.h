#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tarvik::testing {

// A temporary folder standing in for "/", so that code reading /proc and
// /sys can be given a machine of the test's making.
class FakeRoot {
public:
    FakeRoot()
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::path(::testing::TempDir()) /
                 ("tarvik-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~FakeRoot() { std::filesystem::remove_all(m_path); }
    FakeRoot(const FakeRoot &) = delete;
    FakeRoot &operator=(const FakeRoot &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    // Writes `content` to `absolute` (such as "/proc/cpuinfo") under the root.
    void write(const std::string &absolute, const std::string &content) const
    {
        const auto file = m_path / std::filesystem::path(absolute).relative_path();
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

    void writeCache(int cpu, int index, const std::string &level, const std::string &size,
                    const std::string &shared = "") const
    {
        const std::string folder =
            "/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/cache/index" + std::to_string(index) + "/";
        write(folder + "level", level + "\n");
        write(folder + "size", size + "\n");
        write(folder + "type", level == "1" ? "Data\n" : "Unified\n");
        if (!shared.empty())
            write(folder + "shared_cpu_list", shared + "\n");
    }

private:
    std::filesystem::path m_path;
};

} // namespace tarvik::testing
