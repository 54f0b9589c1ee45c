// The cache of up to ten whole files, found by their exact path, so a data file that several
// loaders read section by section comes from disk once and is then only rewound.
#pragma once
#include "engine/core/GBufferedFile.h"

#include <mutex>
#include <string>

class GBufferedFileManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int SLOT_COUNT = 10;

    static GBufferedFileManager& Instance();
    virtual ~GBufferedFileManager();

    // The cached file for exactly this path, rewound; loaded when absent (into the first
    // empty slot, or into slot 0 when all are full). Never null: a file that failed to load
    // comes back empty, at its end.
    GBufferedFile* GetFile(const std::string& path);
    // Replaces the cached copy of path, if any, with a fresh load from disk.
    void Reload(const std::string& path);
    // Drops every cached file (tests; the next requests read the disk again).
    void Clear();
    // The file in a slot, or null (tests and diagnostics).
    const GBufferedFile* GetSlot(int index) const;
    // Held by a reader for as long as it reads a cached file's lines, so a worker job that
    // reads its own settings file cannot move the cursor under another reader.
    std::recursive_mutex& GetLock() { return m_lock; }

private:
    GBufferedFileManager() = default;
    GBufferedFileManager(const GBufferedFileManager&) = delete;
    GBufferedFileManager& operator=(const GBufferedFileManager&) = delete;

    GBufferedFile* m_slots[SLOT_COUNT] = {};
    mutable std::recursive_mutex m_lock;
};
