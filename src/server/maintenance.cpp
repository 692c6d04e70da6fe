#include "maintenance.h"

#include "gzip_file.h"
#include "storage/result_store.h"
#include "storage/store_unavailable.h"
#include "foundation/numbers.h"
#include "web/json_text.h"

#include <QSaveFile>

#include <cstdio>
#include <functional>
#include <string_view>

namespace tarvik::server {

namespace {

int unavailable(const StoreUnavailable &fault)
{
    std::fprintf(stderr, "tarvik-server: the database is unavailable: %s\n", fault.what());
    return 1;
}

int unwritable(const QString &file, const QString &why)
{
    std::fprintf(stderr, "tarvik-server: cannot write %s: %s\n", qPrintable(file), qPrintable(why));
    return 1;
}

// Writes the results `keep` takes as a JSON array, one a line, oldest first;
// gives how many.
long long writeResults(ResultStore &store, const std::function<bool(const StoredResult &)> &keep,
                       const std::function<void(std::string_view)> &write)
{
    long long count = 0;
    write("[");
    store.forEachResult([&](const StoredResult &result) {
        if (!keep(result))
            return;
        write(count++ ? ",\n" : "\n");
        write(json::result(result));
    });
    write("\n]\n");
    return count;
}

} // namespace

int removeResult(const DatabaseSettings &database, qint64 id)
{
    try {
        ResultStore store(database);
        if (!store.remove(id)) {
            std::fprintf(stderr, "tarvik-server: there is no result with id %lld.\n", id);
            return 1;
        }
    } catch (const StoreUnavailable &fault) {
        return unavailable(fault);
    }
    std::printf("Removed result %lld.\n", id);
    return 0;
}

int exportResults(const DatabaseSettings &database, const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return unwritable(file, out.errorString());
    long long count = 0;
    try {
        ResultStore store(database);
        count = writeResults(
            store, [](const StoredResult &) { return true; },
            [&](std::string_view bytes) { out.write(bytes.data(), static_cast<qint64>(bytes.size())); });
    } catch (const StoreUnavailable &fault) {
        return unavailable(fault);
    }
    if (!out.commit())
        return unwritable(file, out.errorString());
    std::printf("Exported %lld results to %s.\n", count, qPrintable(file));
    return 0;
}

int dumpResults(const DatabaseSettings &database, const QString &file)
{
    GzipFile out(file);
    if (!out.open())
        return unwritable(file, out.errorString());
    long long count = 0;
    try {
        ResultStore store(database);
        count = writeResults(
            store,
            [](const StoredResult &result) {
                return result.decision.verdict == rules::Verdict::Accepted && result.listed;
            },
            [&](std::string_view bytes) { out.write(bytes); });
    } catch (const StoreUnavailable &fault) {
        return unavailable(fault);
    }
    if (!out.commit())
        return unwritable(file, out.errorString());
    std::printf("Dumped %lld results to %s.\n", count, qPrintable(file));
    return 0;
}

int listHeldResults(const DatabaseSettings &database)
{
    std::vector<StoredResult> held;
    try {
        held = ResultStore(database).heldResults();
    } catch (const StoreUnavailable &fault) {
        return unavailable(fault);
    }
    for (const StoredResult &result : held)
        std::printf("%lld\t%s\t%s s\t%d threads\t%s\t%s\t%s\n", static_cast<long long>(result.id),
                    testCaption(result.test).c_str(), numbers::numberText(result.seconds).c_str(), result.threads,
                    result.processor.specification.c_str(), result.submitter.c_str(), result.decision.reason.c_str());
    std::printf("%zu results held for review.\n", held.size());
    return 0;
}

int decideResult(const DatabaseSettings &database, qint64 id, rules::Verdict verdict, const QString &why)
{
    try {
        if (!ResultStore(database).decide(id, verdict, why.toStdString())) {
            std::fprintf(stderr, "tarvik-server: there is no result with id %lld.\n", id);
            return 1;
        }
    } catch (const StoreUnavailable &fault) {
        return unavailable(fault);
    }
    std::printf("Result %lld is %s.\n", id, rules::verdictWords(verdict));
    return 0;
}

} // namespace tarvik::server
