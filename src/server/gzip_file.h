#pragma once

#include <QString>

#include <memory>
#include <string_view>

namespace tarvik::server {

// A gzip file (RFC 1952) written through zlib in pieces, so a dump of the
// whole database never sits in memory at once. It replaces `file` only once
// it is whole (commit), as --export does.
class GzipFile {
public:
    explicit GzipFile(const QString &file);
    ~GzipFile();
    GzipFile(const GzipFile &) = delete;
    GzipFile &operator=(const GzipFile &) = delete;

    // False, with errorString(), when the file cannot be made.
    bool open();
    void write(std::string_view bytes);
    // Ends the stream and puts the file in place; false when that fails.
    bool commit();
    QString errorString() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace tarvik::server
