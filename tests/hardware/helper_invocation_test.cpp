#include "hardware/report_helper/helper_invocation.h"

#include "fake_root.h"
#include "hardware/system_files.h"

#include <gtest/gtest.h>

using namespace tarvik;
using tarvik::testing::FakeRoot;

TEST(HelperInvocation, ReportPathComesFromTheTxtArgument)
{
    EXPECT_EQ(reportPathFromArguments({"-txt=/home/u/.local/share/Tarvik/system/out"}),
              std::filesystem::path("/home/u/.local/share/Tarvik/system/out.txt"));
    EXPECT_EQ(reportPathFromArguments({"-html=x", "-txt=out"}), std::filesystem::path("out.txt"));
    EXPECT_EQ(reportPathFromArguments({}), std::nullopt);
    EXPECT_EQ(reportPathFromArguments({"-txt="}), std::nullopt);
    EXPECT_EQ(reportPathFromArguments({"out"}), std::nullopt);
}

TEST(HelperInvocation, DmiSectionsOnlyWhenTheSettingsSwitchThemOn)
{
    EXPECT_TRUE(reportOptionsFromSettings("[CPU-Z]\r\nTextFontName=\r\nVCore=0\r\nDMI=ON\r\nSensor=ON\r\n").dmi);
    EXPECT_TRUE(reportOptionsFromSettings("dmi = on\n").dmi);
    EXPECT_FALSE(reportOptionsFromSettings("[CPU-Z]\r\nDMI=OFF\r\n").dmi);
    EXPECT_FALSE(reportOptionsFromSettings("").dmi);
}

TEST(HelperInvocation, ReportFileReplacesAnOldOneWhole)
{
    FakeRoot root;
    const auto report = root.path() / "out.txt";
    root.write("/out.txt", "old report that is longer than the new one");

    ASSERT_TRUE(writeReportFile(report, "new\r\n"));
    EXPECT_EQ(readFileText(report), "new\r\n");
    EXPECT_FALSE(std::filesystem::exists(root.path() / "out.txt.partial"));
    EXPECT_FALSE(writeReportFile(root.path() / "missing-folder" / "out.txt", "x"));
}
