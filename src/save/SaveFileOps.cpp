// Whole-file savegame reads; writes go through the atomic writer.
#include "save/SaveFileOps.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

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
