#include "records/hash_table.h"

#include "foundation/fault.h"
#include "foundation/file_bytes.h"
#include "foundation/protocol.h"
#include "foundation/text_lines.h"

#include <algorithm>
#include <string_view>

namespace tarvik {

namespace {

constexpr std::string_view IndirectPrefix = "#src=";
// What a nest of includes deeper than the limit reports.
constexpr const char *IncludesTooDeep = faults::OutOfStackSpace;
// What a load that would read more files than allowed reports.
constexpr const char *TooManyIncludedFiles = faults::TooManyIncludedFiles;

} // namespace

void HashTable::setValue(const std::string &id, const std::string &value)
{
    ++m_size;
    m_order.push_back(id);
    m_orderSorted = false;
    if (id.empty())
        setEmptyKey(value);
    else
        setKey(id, value);
}

void HashTable::setEmptyKey(const std::string &value)
{
    m_emptyKeyValue = value;
}

void HashTable::setKey(const std::string &id, const std::string &value)
{
    // The empty key's node hangs below the smallest key (or is the root of a
    // table without keys), so a new smallest key takes it over.
    if (m_emptyKeyValue && (m_entries.empty() || id < m_entries.begin()->first))
        m_emptyKeyValue.reset();
    if (m_rootId.empty())
        m_rootId = id;
    m_entries.insert_or_assign(id, value);
}

std::string HashTable::getValue(const std::string &id) const
{
    std::string value = rawValue(id);
    if (value.size() > IndirectPrefix.size() && value.starts_with(IndirectPrefix))
        return files::readFileBytes(value.substr(IndirectPrefix.size()));
    return value;
}

std::string HashTable::rawValue(const std::string &id) const
{
    if (id.empty())
        return m_emptyKeyValue.value_or(std::string());
    const auto found = m_entries.find(id);
    return found == m_entries.end() ? std::string() : found->second;
}

std::string HashTable::getIdByIndex(std::int32_t i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > m_order.size())
        throw Fault(faults::SubscriptOutOfRange);
    if (!m_orderSorted) {
        std::sort(m_order.begin(), m_order.end());
        m_orderSorted = true;
    }
    return m_order[static_cast<std::size_t>(i) - 1];
}

std::string HashTable::toString() const
{
    std::string text;
    for (const auto &[id, value] : m_entries)
        text.append(id).append("=").append(value).append(LineEnd);
    return text;
}

void HashTable::LoadFile(const std::string &path)
{
    // The root entry stays; so does the empty key while it holds the root.
    std::erase_if(m_entries, [&](const auto &entry) { return entry.first != m_rootId; });
    if (!m_rootId.empty())
        m_emptyKeyValue.reset();
    MergeLoadFile(path);
}

void HashTable::MergeLoadFile(const std::string &path)
{
    int filesRead = 0;
    mergeLoadFile(path, 0, filesRead);
}

void HashTable::SaveFile(const std::string &path) const
{
    files::replaceFileBytes(path, toString());
}

void HashTable::mergeLoadFile(const std::string &path, int includeDepth, int &filesRead)
{
    if (includeDepth > MaxIncludeDepth)
        throw Fault(IncludesTooDeep);
    if (++filesRead > MaxFilesPerLoad)
        throw Fault(TooManyIncludedFiles);
    const std::vector<std::string> lines = splitLines(files::readFileBytes(path));
    const auto last = static_cast<std::int32_t>(lines.size() - 1);
    for (std::int32_t i = last / 2; i >= 0; --i) {
        LoadLine(lines, i, includeDepth, filesRead);
        LoadLine(lines, last - i, includeDepth, filesRead);
    }
}

void HashTable::LoadLine(const std::vector<std::string> &lines, std::int32_t i, int includeDepth, int &filesRead)
{
    const std::string &line = lines[static_cast<std::size_t>(i)];
    if (line.size() < 2)
        return;
    if (line.front() == '#') {
        mergeLoadFile(line.substr(1), includeDepth + 1, filesRead);
        return;
    }
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos)
        setValue(line.substr(0, equals), line.substr(equals + 1));
}

} // namespace tarvik
