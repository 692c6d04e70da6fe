#include "foundation/file_bytes.h"

#include "foundation/fault.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tarvik::files {

namespace {

using faults::BadFileName;
using faults::DeviceIoError;
using faults::DiskFull;
using faults::PathFileAccessError;
using faults::PathNotFound;

enum class Access { Reading, Writing };

// The fault for `error`, with what was being done to `path` as its context.
Fault faultFromErrno(int error, Access access, const std::string &path)
{
    const std::string context = (access == Access::Reading ? "reading " : "writing ") + path;
    switch (error) {
    case ENOENT:
        // A file to be written is only missing its folder.
        return Fault(access == Access::Reading ? faults::FileNotFound : PathNotFound, context, error);
    case ENOTDIR:
        return Fault(PathNotFound, context, error);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return Fault(faults::PermissionDenied, context, error);
    case ENOSPC:
    case EDQUOT:
        return Fault(DiskFull, context, error);
    case ENOMEM:
        return Fault(faults::OutOfMemory, context, error);
    case ENAMETOOLONG:
        return Fault(BadFileName, context, error);
    case EISDIR:
        return Fault(PathFileAccessError, context, error);
    default:
        return Fault(DeviceIoError, context, error);
    }
}

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A new file beside the one it will replace; removed again unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path &target)
    {
        static std::atomic<unsigned> counter{0};
        const fs::path folder = target.parent_path();
        const std::string stem = target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = folder / ("." + stem);
            m_path += std::to_string(counter++);
            // "x": created exclusively, with the usual permissions for new files.
            m_file.reset(std::fopen(m_path.c_str(), "wbx"));
            if (m_file || errno != EEXIST)
                break;
        }
        if (!m_file)
            throw faultFromErrno(errno, Access::Writing, m_path.string());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    ~TemporaryFile()
    {
        m_file.reset();
        if (!m_committed) {
            std::error_code ignored;
            fs::remove(m_path, ignored);
        }
    }

    void writeAndClose(const std::string &bytes)
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()
            || std::fflush(m_file.get()) != 0)
            throw faultFromErrno(errno, Access::Writing, m_path.string());
        const int closed = std::fclose(m_file.release());
        if (closed != 0)
            throw faultFromErrno(errno, Access::Writing, m_path.string());
    }

    void commitAs(const fs::path &target)
    {
        std::error_code error;
        const fs::file_status old = fs::status(target, error);
        if (!error && fs::is_regular_file(old))
            fs::permissions(m_path, old.permissions(), error);
        fs::rename(m_path, target, error);
        if (error)
            throw faultFromErrno(error.value(), Access::Writing, target.string());
        m_committed = true;
    }

private:
    fs::path m_path;
    FileHandle m_file;
    bool m_committed = false;
};

// A link is followed, so that the file it names is replaced, not the link.
fs::path writeTarget(const std::string &path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path resolved = fs::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

} // namespace

std::string readFileBytes(const std::string &path, std::size_t limit)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        throw Fault(faults::FileNotFound, "reading " + path, ENOENT);
    if (error)
        throw faultFromErrno(error.value(), Access::Reading, path);
    if (!fs::is_regular_file(status))
        throw Fault(PathFileAccessError, "reading " + path + ", which is not a regular file");

    const FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw faultFromErrno(errno, Access::Reading, path);
    try {
        std::string bytes;
        char chunk[65536];
        while (bytes.size() < limit) {
            const std::size_t wanted = std::min(sizeof chunk, limit - bytes.size());
            const std::size_t got = std::fread(chunk, 1, wanted, file.get());
            bytes.append(chunk, got);
            if (got < wanted)
                break;
        }
        if (std::ferror(file.get()))
            throw faultFromErrno(errno, Access::Reading, path);
        return bytes;
    } catch (const std::bad_alloc &) {
        throw Fault(faults::OutOfMemory, "reading " + path);
    }
}

void replaceFileBytes(const std::string &path, const std::string &bytes)
{
    const fs::path target = writeTarget(path);
    if (!target.has_filename())
        throw Fault(BadFileName, "writing " + path);
    TemporaryFile temporary(target);
    temporary.writeAndClose(bytes);
    temporary.commitAs(target);
}

} // namespace tarvik::files
