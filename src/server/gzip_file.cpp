#include "gzip_file.h"

#include <QSaveFile>
#include <zlib.h>

#include <array>

namespace tarvik::server {

namespace {

// 15 window bits, and 16 more: a gzip header and trailer around the deflate stream.
constexpr int GzipWindowBits = 15 + 16;
constexpr int MemoryLevel = 8;

} // namespace

struct GzipFile::State {
    explicit State(const QString &file) : out(file) {}

    QSaveFile out;
    z_stream stream{};
    bool started = false;
    bool failed = false;
    QString error;

    // Compresses what the stream holds, with `flush`, and writes it out.
    void pump(int flush)
    {
        std::array<unsigned char, 64 * 1024> chunk{};
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            if (deflate(&stream, flush) == Z_STREAM_ERROR) {
                fail(QStringLiteral("the compression failed"));
                return;
            }
            const auto produced = static_cast<qint64>(chunk.size() - stream.avail_out);
            if (out.write(reinterpret_cast<const char *>(chunk.data()), produced) != produced) {
                fail(out.errorString());
                return;
            }
        } while (stream.avail_out == 0);
    }

    void fail(const QString &why)
    {
        if (!failed)
            error = why;
        failed = true;
    }
};

GzipFile::GzipFile(const QString &file) : m_state(std::make_unique<State>(file)) {}

GzipFile::~GzipFile()
{
    if (m_state->started)
        deflateEnd(&m_state->stream);
}

bool GzipFile::open()
{
    if (!m_state->out.open(QIODevice::WriteOnly)) {
        m_state->fail(m_state->out.errorString());
        return false;
    }
    if (deflateInit2(&m_state->stream, Z_BEST_COMPRESSION, Z_DEFLATED, GzipWindowBits, MemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        m_state->fail(QStringLiteral("zlib could not start"));
        return false;
    }
    m_state->started = true;
    return true;
}

void GzipFile::write(std::string_view bytes)
{
    if (m_state->failed)
        return;
    // zlib reads its input through a pointer to non-const bytes but never writes them.
    m_state->stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    m_state->stream.avail_in = static_cast<uInt>(bytes.size());
    m_state->pump(Z_NO_FLUSH);
}

bool GzipFile::commit()
{
    if (!m_state->failed)
        m_state->pump(Z_FINISH);
    if (m_state->failed) {
        m_state->out.cancelWriting();
        return false;
    }
    if (!m_state->out.commit()) {
        m_state->fail(m_state->out.errorString());
        return false;
    }
    return true;
}

QString GzipFile::errorString() const
{
    return m_state->error;
}

} // namespace tarvik::server
