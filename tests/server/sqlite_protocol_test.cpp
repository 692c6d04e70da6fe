#include "protocol_suite.h"

namespace tarvik::server::testing {
namespace {

QString sqliteFile(const QTemporaryDir &folder)
{
    return folder.filePath(QStringLiteral("results.sqlite"));
}

} // namespace

INSTANTIATE_TEST_SUITE_P(SQLite, ProtocolTest, ::testing::Values(Backend{"SQLite", sqliteFile}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace tarvik::server::testing
