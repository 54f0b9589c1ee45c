// Replacing a file all at once, for every file the game rewrites in place (settings, prefs, the
// update-check date, savegames, missions): a kill or a power cut at any moment leaves either the
// old file or the new one, never an empty or half-written one.
// The disk operations are virtual so that tests can fill the disk or fail any step.
// Any thread, as long as no two writers replace the same path at once.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

class PAtomicFile
{
public:
    // The operations on the real disk.
    static PAtomicFile& Default();

    PAtomicFile() = default;
    virtual ~PAtomicFile() = default;
    PAtomicFile(const PAtomicFile&) = delete;
    PAtomicFile& operator=(const PAtomicFile&) = delete;

    // The temporary file a replacement of path writes first: beside it, in the same folder, so
    // the final rename never crosses file systems.
    static std::string TemporaryPath(const std::string& path);

    // Replaces the file at path (a '\' separates folders too) with the bytes: the temporary file
    // is written, flushed and synced to the disk, renamed over path, and the folder synced so
    // the rename itself is kept. On any failure the old file is untouched, the temporary file is
    // removed and false comes back with the reason, naming the path, in error; cause, when given,
    // gets the system's own words for the failed step alone ("No space left on device"), short
    // enough for a box the player reads.
    bool Replace(const std::string& path, std::string_view bytes, std::string& error, std::string* cause = nullptr);

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
    // Waits until the folder's entries (the renamed name) are on the disk; best effort.
    virtual void SyncFolder(const std::string& folder);
};
