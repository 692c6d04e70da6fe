#include "hardware/report_parser.h"

#include "foundation/blanks.h"
#include "foundation/numbers.h"
#include "foundation/protocol.h"
#include "foundation/text_lines.h"

#include <vector>

namespace tarvik {

namespace {

// An empty text has no lines; otherwise the text after the last line end
// is a line too.
std::vector<std::string> reportLines(const std::string &text)
{
    if (text.empty())
        return {};
    return splitLines(text);
}

// Reports progress in steps of 5: each step waits for another twentieth of
// the lines, the step's size brought to a whole number of lines, so short
// reports print a line for each of their lines.
class Progress {
public:
    Progress(std::size_t lastIndex, const LineSink &print) : m_lastIndex(static_cast<double>(lastIndex)), m_print(print)
    {
    }

    void afterLine(std::size_t index)
    {
        if (static_cast<double>(index) < m_threshold)
            return;
        m_threshold = numbers::roundHalfEven(m_lastIndex / 20 + m_threshold);
        m_print(std::to_string(m_steps * 5) + "% complete");
        ++m_steps;
    }

private:
    double m_lastIndex;
    const LineSink &m_print;
    double m_threshold = 0;
    long m_steps = 0;
};

class ReportReader {
public:
    explicit ReportReader(std::vector<std::string> lines) : m_lines(std::move(lines)) {}

    const std::vector<std::string> &lines() const { return m_lines; }
    HashTable takeTable() { return std::move(m_table); }

    // Reads line `index`; false when the pass ends there.
    bool read(std::size_t index)
    {
        std::string &line = m_lines[index];
        if (m_skippingDump) {
            m_skippingDump = !line.empty();
            return true;
        }
        if (line == "DMI System Enclosure")
            return false;
        if (line.size() < 4 || line.starts_with("0x") || line.starts_with("MSR"))
            return true;
        if (line.starts_with("Dump")) {
            m_skippingDump = true;
            return true;
        }
        store(index, line);
        return true;
    }

private:
    void store(std::size_t index, std::string &line)
    {
        if (index >= 1 && line.starts_with("--------"))
            m_section = m_lines[index - 1];
        // The shortened line stays in the list, so a dash line after it
        // takes the text without the tab as section name.
        if (line.starts_with('\t'))
            line.erase(0, 1);
        m_table.setValue(m_section + "." + TextBeforeFirstTab(line), withoutControlBytes(TextAfterLastTab(line)));
    }

    std::vector<std::string> m_lines;
    HashTable m_table;
    std::string m_section;
    bool m_skippingDump = false;
};

} // namespace

HashTable ParseReport(const std::string &text, const LineSink &print)
{
    ReportReader reader(reportLines(text));
    print("Parsing CPUz output file, this may take several minutes.");
    const std::size_t count = reader.lines().size();
    Progress progress(count == 0 ? 0 : count - 1, print);
    for (std::size_t index = 0; index < count && reader.read(index); ++index)
        progress.afterLine(index);
    return reader.takeTable();
}

std::string TextBeforeFirstTab(const std::string &line)
{
    const auto tab = line.find('\t');
    return tab == std::string::npos ? std::string() : line.substr(0, tab);
}

std::string TextAfterLastTab(const std::string &line)
{
    const auto tab = line.rfind('\t');
    return tab == std::string::npos ? line : line.substr(tab + 1);
}

} // namespace tarvik
