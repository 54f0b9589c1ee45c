// A scratch file through which a fuzz target hands each input to a reader that wants a path;
// unique to the fuzzer process and removed when the fuzzer ends. It lives in memory (/dev/shm)
// where there is such a folder: readers that write their file back replace it all at once and
// sync it to the disk, which on a real disk would cost more than the rest of the run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

struct FuzzScratchFile
{
    // The file is "<folder>/<stem><pid><suffix>".
    FuzzScratchFile(const char* stem, const char* suffix) : path(Folder() + stem + std::to_string(getpid()) + suffix) {}
    static std::string Folder() { return access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/"; }
    ~FuzzScratchFile() { unlink(path.c_str()); }
    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    // Replaces the file's contents with the input; false when the file cannot be written.
    bool Write(const uint8_t* data, size_t size) const
    {
        FILE* f = fopen(path.c_str(), "wb");
        if (!f)
            return false;
        fwrite(data, 1, size, f);
        fclose(f);
        return true;
    }

    const std::string path;
};

// A scratch folder beside the scratch files, unique to the fuzzer process and removed with it.
struct FuzzScratchFolder
{
    explicit FuzzScratchFolder(const char* stem) : path(FuzzScratchFile::Folder() + stem + std::to_string(getpid()))
    {
        std::error_code ignored;
        std::filesystem::create_directories(path, ignored);
    }
    ~FuzzScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

    const std::string path;
};
