// The pure parts of the processor page, the comparison and the card: what
// they read from names, ids and times.
#include "web/compare_page.h"
#include "web/core_count.h"
#include "web/display_values.h"
#include "web/processor_charts.h"
#include "web/processor_page.h"
#include "web/score_card.h"
#include "web/time_statistics.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace tarvik::server {
namespace {

TEST(ProcessorPages, CoreCountIsReadFromWhatTheModelNameStates)
{
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"AMD Ryzen 7 5800X 8-Core Processor", 8},
        {"AMD Ryzen Threadripper PRO 5995WX 64-Cores", 64},
        {"AMD Athlon(tm) 64 X2 Dual Core Processor 4200+", 2},
        {"Intel(R) Core(TM)2 Quad CPU Q6600 @ 2.40GHz", std::nullopt}, // "Quad CPU", no "core" after it
        {"AMD Phenom(tm) II X6 1090T Six-Core", 6},
        {"Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz", std::nullopt},
        {"Intel(R) Core(TM) i7-8700", std::nullopt},
        {"Some 0-Core Thing", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &[name, cores] : cases)
        EXPECT_EQ(coreCountIn(name), cores) << name;
}

TEST(ProcessorPages, StatisticsAreKeptPerTestAndThreadCountWithLowerRankPercentiles)
{
    std::vector<TimeSample> samples;
    for (int i = 10; i >= 1; --i)
        samples.push_back({SpeedTest, 2, static_cast<double>(i)});
    samples.push_back({SpeedTest, 1, 30});
    samples.push_back({StabilityTest, 1, 900});
    const std::vector<TimeSummary> summaries = summarize(samples);
    ASSERT_EQ(summaries.size(), 3u);
    EXPECT_EQ(std::make_pair(summaries[0].test, summaries[0].threads), std::make_pair(int{SpeedTest}, 1));
    EXPECT_EQ(std::make_pair(summaries[1].test, summaries[1].threads), std::make_pair(int{SpeedTest}, 2));
    EXPECT_EQ(std::make_pair(summaries[2].test, summaries[2].threads), std::make_pair(int{StabilityTest}, 1));
    const TimeSummary &ten = summaries[1];
    EXPECT_EQ(ten.seconds.size(), 10u);
    EXPECT_EQ(ten.best(), 1);
    EXPECT_EQ(ten.percentile(10), 1); // rank (10 - 1) * 10 / 100 = 0
    EXPECT_EQ(ten.median(), 5);
    EXPECT_EQ(ten.percentile(90), 9);
    EXPECT_EQ(summaries[0].median(), 30);
}

TEST(ProcessorPages, ScalingChartDrawsTheIdealLineOnlyFromAOneThreadMedian)
{
    const std::vector<TimeSummary> withSingle =
        summarize({{SpeedTest, 1, 8}, {SpeedTest, 4, 2.5}, {StabilityTest, 2, 99}});
    const std::string chart = charts::scalingSvg(SpeedTest, withSingle, 4);
    EXPECT_THAT(chart, HasSubstr("ideal scaling"));
    EXPECT_THAT(chart, HasSubstr("4 cores"));
    EXPECT_THAT(chart, HasSubstr("Test 6 on 1 thread: median 8 s"));
    EXPECT_THAT(chart, Not(HasSubstr("Test 11")));

    const std::string noSingle = charts::scalingSvg(StabilityTest, withSingle, std::nullopt);
    EXPECT_THAT(noSingle, HasSubstr("<circle"));
    EXPECT_THAT(noSingle, Not(HasSubstr("ideal scaling")));
    EXPECT_THAT(noSingle, Not(HasSubstr("cores")));
    EXPECT_EQ(charts::scalingSvg(3, withSingle, 4), "");
}

TEST(ProcessorPages, DistributionOfEqualTimesIsOneFullBar)
{
    const std::string chart = charts::distributionSvg(summarize({{SpeedTest, 1, 5}, {SpeedTest, 1, 5}}).front());
    EXPECT_THAT(chart, HasSubstr("height=\"60\""));
    EXPECT_THAT(chart, Not(HasSubstr("nan")));
}

TEST(ProcessorPages, APageReadFromTheLatestResultsOnlySaysSo)
{
    ProcessorResults results;
    results.processor = "Model X";
    results.samples.assign(ProcessorResults::MostSamples - 1, {SpeedTest, 2, 1.5});
    EXPECT_THAT(pages::processorPage(results), HasSubstr(">4999 accepted results of this processor"));
    results.samples.push_back({SpeedTest, 2, 1.5});
    EXPECT_THAT(pages::processorPage(results), HasSubstr("The latest 5000 accepted results of this processor"));
}

TEST(ProcessorPages, ComparedIdsComeFromListsAndCheckBoxesAndAreRefusedClearly)
{
    using Ids = std::vector<std::int64_t>;
    const std::vector<std::pair<std::vector<std::string>, Ids>> taken = {
        {{"1,2,3"}, {1, 2, 3}},
        {{"4", "2"}, {4, 2}},    // one value per check box
        {{"2,2", "2", ""}, {2}}, // repeats once
        {{"1,2", "3,4"}, {1, 2, 3, 4}},
    };
    for (const auto &[values, ids] : taken) {
        const auto asked = pages::comparedIds(values);
        ASSERT_TRUE(std::holds_alternative<Ids>(asked)) << values.front();
        EXPECT_EQ(std::get<Ids>(asked), ids);
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{}, "Choose the results to compare"},
        {{""}, "Choose the results to compare"},
        {{"1,x"}, "\"x\" is not a result id."},
        {{"1,,2"}, "\"\" is not a result id."},
        {{"0"}, "\"0\" is not a result id."},
        {{"-3"}, "\"-3\" is not a result id."},
        {{"1,2,3,4,5"}, "At most 4 results can be compared at once; 5 were asked for."},
    };
    for (const auto &[values, reason] : refused) {
        const auto asked = pages::comparedIds(values);
        ASSERT_TRUE(std::holds_alternative<pages::CompareRefusal>(asked)) << reason;
        EXPECT_THAT(std::get<pages::CompareRefusal>(asked).reason, HasSubstr(reason));
    }
}

TEST(ProcessorPages, HardwareValuesTheMachineDidNotTellAreLeftOut)
{
    EXPECT_EQ(display::knownValue("0", "V"), "");
    EXPECT_EQ(display::knownValue(" "), "");
    EXPECT_EQ(display::knownValue("Cl 0-0-0-0"), "");
    EXPECT_EQ(display::knownValue("266.7", "MHz"), "266.7 MHz");
    EXPECT_EQ(display::knownValue("DDR2"), "DDR2");
}

TEST(ProcessorPages, ComparisonShowsTimeDifferencesAgainstTheFirst)
{
    StoredResult first;
    first.id = 3;
    first.seconds = 20;
    first.processor.vcore = "0";
    StoredResult second = first;
    second.id = 9;
    second.seconds = 25;
    StoredResult third = first;
    third.id = 12;
    third.seconds = 15;
    StoredResult close = first;
    close.id = 14;
    close.seconds = 20.004;
    const std::string page = pages::comparePage({first, second, third, close});
    // A small difference is still shown as one, not as 0 %.
    EXPECT_THAT(page, HasSubstr("<td>reference</td><td>+25 %</td><td>-25 %</td><td>+0.02 %</td>"));
    // No machine told its core voltage: the row is left out whole.
    EXPECT_THAT(page, Not(HasSubstr(">Vcore<")));
    EXPECT_THAT(page, Not(HasSubstr("0 V")));
}

TEST(ProcessorPages, CardIsWellFormedXmlWhateverTheTexts)
{
    StoredResult result;
    result.id = 5;
    result.test = SpeedTest;
    result.seconds = 20.5;
    result.threads = 1;
    result.submitter = "<b>Zo\xC3\xAB</b> & \"co\" \xC3(\xED\xA0\x80";
    result.processor.specification = "]]><svg onload=x>";
    const std::string card = pages::scoreCardSvg(result);
    EXPECT_THAT(card, HasSubstr("by &lt;b&gt;Zo\xC3\xAB&lt;/b&gt; &amp; &quot;co&quot; \xEF\xBF\xBD(\xEF\xBF\xBD"));
    EXPECT_THAT(card, HasSubstr("]]&gt;&lt;svg onload=x&gt;"));
    EXPECT_THAT(card, HasSubstr("20.5 s on 1 thread<"));
    EXPECT_THAT(card, HasSubstr("32M (speed test)"));
}

} // namespace
} // namespace tarvik::server
