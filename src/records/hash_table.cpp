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
    HashTable *node = this;
    for (;;) {
        ++node->m_size;
        node->m_order.insert(std::upper_bound(node->m_order.begin(), node->m_order.end(), id), id);
        // An empty node is taken over by whichever key reaches it next.
        if (id == node->m_id || node->isEmptyNode()) {
            node->m_value = value;
            node->m_id = id;
            return;
        }
        std::unique_ptr<HashTable> &subtree = id > node->m_id ? node->m_greater : node->m_smaller;
        if (!subtree)
            subtree = std::make_unique<HashTable>();
        node = subtree.get();
    }
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
    const HashTable *node = this;
    while (node && id != node->m_id)
        node = id < node->m_id ? node->m_smaller.get() : node->m_greater.get();
    return node ? node->m_value : std::string();
}

std::string HashTable::getIdByIndex(std::int32_t i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > m_order.size())
        throw Fault(faults::SubscriptOutOfRange);
    return m_order[static_cast<std::size_t>(i) - 1];
}

std::string HashTable::toString() const
{
    std::string text;
    std::vector<const HashTable *> path;
    const HashTable *node = this;
    while (node || !path.empty()) {
        for (; node; node = node->m_smaller.get())
            path.push_back(node);
        node = path.back();
        path.pop_back();
        if (!node->isEmptyNode())
            text.append(node->m_id).append("=").append(node->m_value).append(LineEnd);
        node = node->m_greater.get();
    }
    return text;
}

void HashTable::LoadFile(const std::string &path)
{
    m_smaller.reset();
    m_greater.reset();
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

void HashTable::LoadLine(const std::vector<std::string> &lines, std::int32_t i, int includeDepth,
                         int &filesRead)
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
