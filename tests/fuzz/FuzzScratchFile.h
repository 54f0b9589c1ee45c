// A scratch file through which a fuzz target hands each input to a reader that wants a path;
// unique to the fuzzer process and removed when the fuzzer ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

struct FuzzScratchFile
{
    // The file is "/tmp/<stem><pid><suffix>".
    FuzzScratchFile(const char* stem, const char* suffix)
        : path(std::string("/tmp/") + stem + std::to_string(getpid()) + suffix)
    {
    }
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
