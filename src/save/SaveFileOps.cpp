// Whole-file savegame reads; writes go through the atomic writer.
#include "save/SaveFileOps.h"

#include "platform/core/PFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SaveFileOps& SaveFileOps::Default()
{
    static SaveFileOps ops;
    return ops;
}

bool SaveFileOps::ReadWhole(const std::string& path, std::string& out, std::string& error)
{
    bool whole = false;
    return ReadStart(path, static_cast<size_t>(kMaxFileSize), out, whole, error);
}

bool SaveFileOps::ReadStart(const std::string& path, size_t limit, std::string& out, bool& whole, std::string& error)
{
    out.clear();
    whole = false;
    // Only a regular file is opened: a FIFO named like a save would hold the open (and the game
    // with it) until something wrote to it, and opening a device may itself do something. The
    // open does not wait either, and the opened file is looked at again, so a file swapped for
    // another kind between the two looks is refused all the same.
    struct stat named;
    if (stat(path.c_str(), &named) != 0)
    {
        error = "Failed to open file buffer source: " + PFile::ErrorText(errno);
        return false;
    }
    if (!S_ISREG(named.st_mode))
    {
        error = "not a savegame file (not a regular file)";
        return false;
    }
    const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0)
    {
        error = "Failed to open file buffer source: " + PFile::ErrorText(errno);
        return false;
    }
    struct stat info;
    if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 || info.st_size > kMaxFileSize)
    {
        close(file);
        error = "not a savegame file (empty, too large or not a regular file)";
        return false;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    out.resize(std::min(size, limit));
    size_t got = 0;
    while (got < out.size())
    {
        const ssize_t n = read(file, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(file);
    // Only the bytes that were read count; a file that shrank meanwhile reads shorter.
    out.resize(got);
    whole = got == size;
    if (out.empty())
    {
        error = "Failed to read in file data";
        return false;
    }
    return true;
}
