// Atomic savegame writes and whole-file reads.
#include "save/SaveFileOps.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

SaveFileOps& SaveFileOps::Default()
{
    static SaveFileOps ops;
    return ops;
}

bool SaveFileOps::WriteAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    const std::string temporary = path + ".tmp";
    FILE* file = OpenForWrite(temporary);
    if (!file)
    {
        error = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    // Written in pieces so that a full disk is noticed at the piece that did not fit.
    constexpr size_t kPiece = 1u << 20;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size(); done += kPiece)
    {
        const size_t size = std::min(kPiece, bytes.size() - done);
        if (Write(file, bytes.data() + done, size) != size)
        {
            error = "write failed (disk full?)";
            ok = false;
        }
    }
    if (ok && !Flush(file))
    {
        error = "flush failed (disk full?)";
        ok = false;
    }
    if (ok && !Sync(file))
    {
        error = "sync to disk failed";
        ok = false;
    }
    if (!Close(file) && ok)
    {
        error = "close failed";
        ok = false;
    }
    if (ok && !Rename(temporary, path))
    {
        error = "cannot replace " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok)
        Remove(temporary);
    return ok;
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
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
    {
        error = "Failed to open file buffer source";
        return false;
    }
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 || info.st_size > kMaxFileSize)
    {
        std::fclose(file);
        error = "not a savegame file (empty, too large or not a regular file)";
        return false;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    out.resize(std::min(size, limit));
    const size_t got = std::fread(out.data(), 1, out.size(), file);
    std::fclose(file);
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

FILE* SaveFileOps::OpenForWrite(const std::string& path)
{
    return std::fopen(path.c_str(), "wb");
}

size_t SaveFileOps::Write(FILE* file, const char* data, size_t size)
{
    return std::fwrite(data, 1, size, file);
}

bool SaveFileOps::Flush(FILE* file)
{
    return std::fflush(file) == 0 && !std::ferror(file);
}

bool SaveFileOps::Sync(FILE* file)
{
    return fsync(fileno(file)) == 0;
}

bool SaveFileOps::Close(FILE* file)
{
    return std::fclose(file) == 0;
}

bool SaveFileOps::Rename(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void SaveFileOps::Remove(const std::string& path)
{
    std::remove(path.c_str());
}
