#include "protocol/checksum.h"
#include "submit/hwbot_page.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::submit;

namespace {

HardwareFields machine()
{
    return {
        .CPU_info = {},
        .cpu_string = {},
        .hwbotcpu = "Intel(R) Core(TM)2 CPU 6600 @ 2.40GHz",
        .hwbotcpuclk = "2400.7",
        .hwbot_send_cpu = "Intel Core 2 Duo E6600",
        .mem_type = "DDR2",
        .mem_size = "2048",
        .mem_freq = "333.5",
        .mem_cas = "5",
        .mem_rcd = "5",
        .mem_rp = "5",
        .mem_tras = "15",
        .board_model = "P5B",
        .board_vendor = "ASUSTeK Computer INC.",
    };
}

std::string valueOf(const std::vector<FormField> &fields, const std::string &name)
{
    for (const FormField &field : fields)
        if (field.name == name)
            return field.value;
    return "<absent>";
}

} // namespace

TEST(HwbotFields, AllEighteenInOrder)
{
    const HardwareFields hw = machine();
    const HwbotContext context{hw, "1.55", "http://127.0.0.1:10280", '.'};
    const std::vector<FormField> fields = hwbotFields({6, 15.23, "fast <b>'box'</b>", 901}, context);
    const std::vector<FormField> expected = {
        {"score", "15.23"},
        {"checksum", csum(6, 15.23, "2400", "Intel Core 2 Duo E6600", '.')},
        {"description", "fast <b>'box'</b>"},
        {"applicationId", "14"},
        {"cpu", "Intel Core 2 Duo E6600"},
        {"cpuclock", "2400"},
        {"client", "Tarvik"},
        {"clientVersion", "1.55"},
        {"memType ", "DDR2"},
        {"memSize ", "2048"},
        {"memClock ", "333.5"},
        {"memTCas ", "5"},
        {"memTRCD ", "5"},
        {"memTRP ", "5"},
        {"memTRAS", "15"},
        {"mbModel", "P5B"},
        {"mbVendor", "ASUSTeK Computer INC."},
        {"verificationUrl", "http://127.0.0.1:10280/score.cgi?id=901"},
    };
    EXPECT_EQ(fields, expected);
}

TEST(HwbotFields, EdgeCases)
{
    HardwareFields hw = machine();
    for (const auto &[clock, sent] :
         {std::pair{"2400.7", "2400"}, {"2400", "2400"}, {"2401", "2400"}, {"2402", "2402"}, {"2400,7", "2400"}}) {
        hw.hwbotcpuclk = clock;
        EXPECT_EQ(valueOf(hwbotFields({6, 15.23, "", 0}, {hw, "1.55", "", '.'}), "cpuclock"), sent) << clock;
    }

    hw = machine();
    hw.hwbot_send_cpu.clear(); // no name: the specification text goes instead
    const std::vector<FormField> comma = hwbotFields({11, 15.23, "", 0}, {hw, "1.55", "http://x", ','});
    EXPECT_EQ(valueOf(comma, "score"), "15.23"); // a point even where the locale writes a comma
    EXPECT_EQ(valueOf(comma, "cpu"), hw.hwbotcpu);
    EXPECT_EQ(valueOf(comma, "checksum"), csum(11, 15.23, "2400", hw.hwbotcpu, ','));
    EXPECT_EQ(valueOf(comma, "applicationId"), "15");
    EXPECT_EQ(valueOf(comma, "verificationUrl"), "<absent>"); // id 0: the server kept nothing
    EXPECT_EQ(comma.size(), 17u);
}

TEST(HwbotPage, ValuesAndActionAreEscapedSoTheyArriveAsText)
{
    EXPECT_EQ(property_string("description", "it's <b>&\"fast\"</b>"),
              "<input type=hidden name=description value='it&#39;s &lt;b&gt;&amp;&quot;fast&quot;&lt;/b&gt;'>\r\n");
    EXPECT_EQ(property_string("memType ", "DDR2"), "<input type=hidden name=memType  value='DDR2'>\r\n");
    EXPECT_EQ(hwbotForm("http://h/x?a='1'", {{"client", "Tarvik"}}),
              "<form name=frm action='http://h/x?a=&#39;1&#39;' method=POST>"
              "<input type=hidden name=client value='Tarvik'>\r\n</form>");
    EXPECT_EQ(hwbotPage("<form></form>"),
              "<html><head><script language=JavaScript>function submitThing(){document.frm.submit();}</script>"
              "</head><body onLoad='submitThing();'><form></form></body></html>");
    EXPECT_EQ(pageFileName(11), "submission11.htm");
    EXPECT_EQ(clientVersion(1, 5, 5), "1.55");
}
