// Replacing a file all at once: temporary file, flush, sync, rename, folder sync.
#include "platform/core/PAtomicFile.h"

#include "platform/core/PFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{
std::string AtomicFileReason(int code)
{
    return code != 0 ? PFile::ErrorText(code) : std::string("unknown error");
}
} // namespace

PAtomicFile& PAtomicFile::Default()
{
    static PAtomicFile ops;
    return ops;
}

std::string PAtomicFile::TemporaryPath(const std::string& path)
{
    return PFile::NormalisePath(path) + ".tmp";
}

bool PAtomicFile::Replace(const std::string& givenPath, std::string_view bytes, std::string& error, std::string* cause)
{
    const std::string path = PFile::NormalisePath(givenPath);
    // Without a file name the temporary file would be a hidden ".tmp" in the current or named
    // folder, shared with every other writer there, and the rename could only fail.
    if (path.empty() || path.back() == '/')
    {
        error = "cannot replace " + path + ": no file name";
        if (cause)
            *cause = "no file name";
        return false;
    }
    const std::string temporary = TemporaryPath(path);
    // The reason of the first step that failed.
    std::string reason;
    const auto failed = [&reason](int code) {
        reason = AtomicFileReason(code);
        return reason;
    };
    errno = 0;
    FILE* file = OpenForWrite(temporary);
    if (!file)
    {
        error = "cannot create " + temporary + ": " + failed(errno);
        if (cause)
            *cause = reason;
        return false;
    }
    // Written in pieces so that a full disk is noticed at the piece that did not fit.
    constexpr size_t kPiece = 1u << 20;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size(); done += kPiece)
    {
        const size_t size = std::min(kPiece, bytes.size() - done);
        errno = 0;
        if (Write(file, bytes.data() + done, size) != size)
        {
            error = "cannot write " + temporary + ": " + failed(errno) + " (disk full?)";
            ok = false;
        }
    }
    errno = 0;
    if (ok && !Flush(file))
    {
        error = "cannot write " + temporary + ": " + failed(errno) + " (disk full?)";
        ok = false;
    }
    errno = 0;
    if (ok && !Sync(file))
    {
        error = "cannot sync " + temporary + " to the disk: " + failed(errno);
        ok = false;
    }
    errno = 0;
    if (!Close(file) && ok)
    {
        error = "cannot close " + temporary + ": " + failed(errno);
        ok = false;
    }
    errno = 0;
    if (ok && !Rename(temporary, path))
    {
        error = "cannot replace " + path + ": " + failed(errno);
        ok = false;
    }
    if (!ok)
    {
        if (cause)
            *cause = reason;
        Remove(temporary);
        return false;
    }
    const size_t slash = path.find_last_of('/');
    SyncFolder(slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash));
    return true;
}

FILE* PAtomicFile::OpenForWrite(const std::string& path)
{
    return std::fopen(path.c_str(), "wb");
}

size_t PAtomicFile::Write(FILE* file, const char* data, size_t size)
{
    return std::fwrite(data, 1, size, file);
}

bool PAtomicFile::Flush(FILE* file)
{
    return std::fflush(file) == 0 && !std::ferror(file);
}

bool PAtomicFile::Sync(FILE* file)
{
    return fsync(fileno(file)) == 0;
}

bool PAtomicFile::Close(FILE* file)
{
    return std::fclose(file) == 0;
}

bool PAtomicFile::Rename(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void PAtomicFile::Remove(const std::string& path)
{
    std::remove(path.c_str());
}

void PAtomicFile::SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}
