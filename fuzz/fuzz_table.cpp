// Key-value table files as LoadFile reads them, include lines and indirect
// values included. The input is the file; every "/" becomes "_", so the
// paths it names stay inside the fuzzer's own folder (the file itself is
// "t", so "#t" includes it again).

#include "foundation/fault.h"
#include "fuzz_check.h"
#include "records/hash_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

using namespace tarvik;

namespace {

std::filesystem::path workFolder()
{
    return std::filesystem::temp_directory_path() / ("tarvik-fuzz-table-" + std::to_string(::getpid()));
}

} // namespace

// The fuzzer works in a folder of its own from the start, so give it its
// corpus folders as absolute paths.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::filesystem::create_directories(workFolder());
    std::filesystem::current_path(workFolder());
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(workFolder(), ignored);
    });
    return 0;
}

namespace {

// The keys of toString()'s lines, in their order.
std::vector<std::string> listedKeys(const std::string &text)
{
    std::vector<std::string> keys;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        const auto equals = line.find('=');
        require(equals != std::string::npos, "every listed line holds '='");
        keys.push_back(line.substr(0, equals));
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    std::replace(text.begin(), text.end(), '/', '_');
    std::ofstream("t", std::ios::binary | std::ios::trunc) << text;

    HashTable table;
    try {
        table.LoadFile("t");
    } catch (const Fault &) {
        // A missing include, a loop or too many files: what was applied stays.
    }
    const std::string listed = table.toString();
    const std::vector<std::string> keys = listedKeys(listed);
    require(std::adjacent_find(keys.begin(), keys.end(), std::greater_equal<>()) == keys.end(),
            "entries are listed once each, ascending");
    for (const std::string &key : keys) {
        try {
            table.getValue(key); // a "#src=" value reads its file
        } catch (const Fault &) {
        }
    }
    for (std::int32_t i = 2; i <= table.size(); ++i)
        require(table.getIdByIndex(i - 1) <= table.getIdByIndex(i), "the key list is sorted");

    // Saved and loaded again, the table lists the same entries, unless a key
    // reads back as an include line.
    if (std::any_of(keys.begin(), keys.end(), [](const std::string &key) { return key.starts_with('#'); }))
        return 0;
    // The bytes SaveFile writes, without its flush to disk on every input.
    std::ofstream("saved", std::ios::binary | std::ios::trunc) << listed;
    HashTable reloaded;
    reloaded.LoadFile("saved");
    require(reloaded.toString() == listed, "a saved table loads back the same");
    return 0;
}
