// Opening, replacing and deleting files with the game's logging; every path goes through the platform's
// path normaliser, so paths written with '\' work.
#pragma once
#include <cstdio>
#include <string>

class GFile
{
public:
    // The C library's open of path with mode ("rt", "wb", "at"...), or null.
    static FILE* Open(const std::string& path, const char* mode);
    // Deletes path. A read-only or missing path logs "GFile::Delete read only"; a failed
    // delete logs "Error deleting file [path] -> reason". Returns whether the file is gone.
    static bool Delete(const std::string& path);
    // Replaces the file at path with text all at once (never leaving it empty or half written,
    // whenever the game is killed) and refreshes the file cache's copy. A failure keeps the old
    // file and writes "Cannot save <path>: <reason>" to the error log; false then.
    static bool Replace(const std::string& path, const std::string& text);
};
