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
#include <fcntl.h>
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

// The rename itself is on disk once the folder is.
void syncFolder(const fs::path &folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        throw faultFromErrno(errno, Access::Writing, folder.string());
    const int synced = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    if (synced != 0)
        throw faultFromErrno(error, Access::Writing, folder.string());
}

// A character device (a terminal, /dev/null, /dev/full) takes the bytes
// itself: it is written in place, never replaced, and reports its own
// faults, such as a full disk.
void writeToDevice(const fs::path &device, const std::string &bytes)
{
    const int descriptor = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        throw faultFromErrno(errno, Access::Writing, device.string());
    std::size_t written = 0;
    int error = 0;
    while (written < bytes.size() && error == 0) {
        const ssize_t done = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (done > 0)
            written += static_cast<std::size_t>(done);
        else if (done < 0 && errno != EINTR)
            error = errno;
    }
    ::close(descriptor);
    if (error != 0)
        throw faultFromErrno(error, Access::Writing, device.string());
}

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
        // On disk before the rename, so that a power cut never leaves an
        // empty file under the old name.
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size() ||
            std::fflush(m_file.get()) != 0 || ::fsync(::fileno(m_file.get())) != 0)
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
        syncFolder(target.parent_path());
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

// The system takes a path up to its first NUL byte, so a path holding one
// would name another file than the one given.
void refuseNulBytes(const std::string &path)
{
    if (path.find('\0') != std::string::npos)
        throw Fault(BadFileName);
}

} // namespace

std::string readFileBytes(const std::string &path, std::size_t limit)
{
    refuseNulBytes(path);
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
    refuseNulBytes(path);
    const fs::path target = writeTarget(path);
    if (!target.has_filename())
        throw Fault(BadFileName, "writing " + path);
    // Only a regular file is replaced: a pipe, a socket or a folder stays as
    // it is, and a character device is written in place.
    std::error_code error;
    const fs::file_type existing = fs::status(target, error).type();
    if (existing == fs::file_type::character)
        return writeToDevice(target, bytes);
    // (A status that cannot be read leaves the fault to the writing below.)
    if (!error && existing != fs::file_type::not_found && existing != fs::file_type::regular)
        throw Fault(PathFileAccessError, "writing " + path);
    TemporaryFile temporary(target);
    temporary.writeAndClose(bytes);
    temporary.commitAs(target);
}

} // namespace tarvik::files
