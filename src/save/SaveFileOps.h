// Savegame files on disk. A save never destroys the one before it: the new file is written
// beside the old as "<path>.tmp", every write is checked, the file is flushed and synced to the
// disk and only then renamed over the old one in a single step; on any failure the temporary file
// is removed and the old save stays as it was. Reading takes the whole file at once, as many
// bytes as were actually read, or only its start.
// The disk operations are virtual so that tests can fill the disk or fail the rename.
// Main thread.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

class SaveFileOps
{
public:
    // Files larger than this are no savegame the game wrote.
    static constexpr long long kMaxFileSize = 256ll << 20;

    // The operations on the real disk.
    static SaveFileOps& Default();

    SaveFileOps() = default;
    virtual ~SaveFileOps() = default;
    SaveFileOps(const SaveFileOps&) = delete;
    SaveFileOps& operator=(const SaveFileOps&) = delete;

    // Replaces the file at path with the bytes, all or nothing. False with the reason in `error`.
    bool WriteAtomically(const std::string& path, std::string_view bytes, std::string& error);
    // The whole file; false (with the reason) when it cannot be opened, is empty or too large.
    bool ReadWhole(const std::string& path, std::string& out, std::string& error);
    // At most the first `limit` bytes of the file, with the same checks; `whole` tells whether
    // that was all of it.
    bool ReadStart(const std::string& path, size_t limit, std::string& out, bool& whole, std::string& error);

protected:
    virtual FILE* OpenForWrite(const std::string& path);
    // Bytes written; fewer than asked means the write failed.
    virtual size_t Write(FILE* file, const char* data, size_t size);
    virtual bool Flush(FILE* file);
    // Waits until the file's data is on the disk.
    virtual bool Sync(FILE* file);
    virtual bool Close(FILE* file);
    virtual bool Rename(const std::string& from, const std::string& to);
    virtual void Remove(const std::string& path);
};
