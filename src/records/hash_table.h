#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// String keys to string values; keys compare byte by byte. Its behaviour is
// that of a search tree whose first node (the root) keeps one entry of its
// own: stored tables and the report's readers rely on it, down to its
// quirks (the empty key, what LoadFile keeps). The entries live in a
// balanced map, so a report of thousands of keys costs n log n.
//
// Text files of the table: lines end in CR LF; "key=value" sets an entry
// (split at the first "="), "#path" includes another file, and lines shorter
// than two bytes or without "=" are ignored. A value "#src=path" stands for
// the whole text of that file when it is looked up. No program of the
// project reads such files today (the report parser fills its table from
// the report itself); the file half stays because it is the table's
// published file format, which tables written elsewhere may use.
class HashTable {
public:
    // How deep include lines may nest, so that a file including itself
    // ends with a fault instead of exhausting the stack.
    static constexpr int MaxIncludeDepth = 32;
    // How many files one load may read in all, each application of an
    // include line counted: a file's middle line is applied twice, so a chain
    // of files whose include line stands alone would otherwise double the
    // work at every level.
    static constexpr int MaxFilesPerLoad = 1024;

    HashTable() = default;
    HashTable(HashTable &&) noexcept = default;
    HashTable &operator=(HashTable &&) noexcept = default;
    HashTable(const HashTable &) = delete;
    HashTable &operator=(const HashTable &) = delete;

    // The number of setValue calls, repeats included.
    std::int32_t size() const { return m_size; }
    void setSize(std::int32_t size) { m_size = size; }

    // Drops every entry but the root's, then adds the entries of the file.
    // The root entry, size and key list stay.
    void LoadFile(const std::string &path);
    // Adds the entries of the file, applying its lines from the middle
    // outwards so that a file sorted by key gives a less one-sided tree.
    void MergeLoadFile(const std::string &path);
    // Replaces the file with toString().
    void SaveFile(const std::string &path) const;

    void setValue(const std::string &id, const std::string &value);
    // The empty string for a missing key; a "#src=" value is read from its file.
    std::string getValue(const std::string &id) const;
    // The value as stored, a "#src=" value left as it is: for tables filled
    // from outside text, whose values must not name files to be read.
    std::string rawValue(const std::string &id) const;
    // The i-th key (from 1) of the sorted list of every key set, repeats
    // included; Fault outside it.
    std::string getIdByIndex(std::int32_t i) const;
    // Every entry as a "key=value" line ended by CR LF, ascending by key.
    std::string toString() const;

private:
    void mergeLoadFile(const std::string &path, int includeDepth, int &filesRead);
    void LoadLine(const std::vector<std::string> &lines, std::int32_t i, int includeDepth, int &filesRead);
    void setEmptyKey(const std::string &value);
    void setKey(const std::string &id, const std::string &value);

    std::int32_t m_size = 0;
    std::map<std::string, std::string> m_entries;
    // The first key set, which took the root; empty while no key has.
    std::string m_rootId;
    // The empty key is never listed: it lives in a node of its own that the
    // next key smaller than every other takes over.
    std::optional<std::string> m_emptyKeyValue;
    // Every key set, sorted when next asked for.
    mutable std::vector<std::string> m_order;
    mutable bool m_orderSorted = true;
};

} // namespace tarvik
