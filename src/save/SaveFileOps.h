// Savegame files on disk. A save never destroys the one before it: it replaces the old file all
// at once (through "<path>.tmp", checked, flushed, synced and renamed), and on any failure the
// temporary file is removed and the old save stays as it was. Reading takes the whole file at
// once, as many bytes as were actually read, or only its start.
// The disk operations are the atomic writer's virtual ones, so that tests can fill the disk or
// fail the rename.
// Main thread.
#pragma once
#include "platform/core/PAtomicFile.h"

#include <string>
#include <string_view>

class SaveFileOps : public PAtomicFile
{
public:
    // Files larger than this are no savegame the game wrote.
    static constexpr long long kMaxFileSize = 256ll << 20;

    // The operations on the real disk.
    static SaveFileOps& Default();

    // Replaces the file at path with the bytes, all or nothing. False with the reason in `error`
    // and the system's words for the failed step alone in `cause`.
    bool WriteAtomically(const std::string& path, std::string_view bytes, std::string& error, std::string& cause)
    {
        return Replace(path, bytes, error, &cause);
    }
    // The whole file; false (with the reason) when it cannot be opened, is empty or too large.
    bool ReadWhole(const std::string& path, std::string& out, std::string& error);
    // At most the first `limit` bytes of the file, with the same checks; `whole` tells whether
    // that was all of it.
    bool ReadStart(const std::string& path, size_t limit, std::string& out, bool& whole, std::string& error);
};
