// Every text the player reads, looked up by key in section "strings" of data/strings.ini, so
// the whole interface can be translated by replacing that one file. A key without a text
// shows the key itself, so a missing translation is visible rather than blank.
#pragma once
#include "engine/core/GHashTable.h"

#include <mutex>
#include <string>

class GTextTable
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GTextTable& Instance();

    // The text for key, loading the table on the first use. An empty key gives the empty
    // text; a key that is missing or has an empty text gives the key.
    static std::string GetText(const std::string& key);
    // Whether the key has a text of its own (for optional texts, such as a caption's short form;
    // asking tells the missing-key observer nothing).
    static bool HasText(const std::string& key);

    void SetFileName(const std::string& file);
    // Loads the table now (start-up does so before any worker could ask for a text).
    void Load();
    // Forgets the table; the next lookup loads it again (tests).
    void Unload();
    // Told every key that GetText finds without a text, so a check that opens every window can
    // name each label that would show its bare key. Null (the default) tells no one. Set only
    // while no other thread looks texts up.
    using MissingKeyObserver = void (*)(const std::string& key);
    static void SetMissingKeyObserver(MissingKeyObserver observer) { s_missingKeyObserver = observer; }

    GHashTable m_table;

private:
    GTextTable() = default;
    GTextTable(const GTextTable&) = delete;
    GTextTable& operator=(const GTextTable&) = delete;

    std::string m_fileName = "data/strings.ini";
    std::mutex m_lock;
    static inline MissingKeyObserver s_missingKeyObserver = nullptr;
};
