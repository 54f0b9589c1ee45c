// The words the game was started with. It acts on two: "-silent", given when the game relaunches
// itself after a settings change so that it opens on the settings screen, and "-debug", which
// shows the in-game debug overlays.
#pragma once
#include <string>
#include <vector>

class GCommandLine
{
public:
    // Built on first use from this process's command line.
    static GCommandLine& Instance();

    explicit GCommandLine(std::vector<std::string> arguments);
    virtual ~GCommandLine() = default;

    // True when one word is exactly "-silent".
    bool HasSilent() const;
    // True when one word is exactly "-debug".
    bool HasDebug() const;

private:
    friend class GLifetime; // the program's owner creates it from this process's command line
    GCommandLine();
    // Whether one word is exactly this one (same length, same bytes, case counts).
    bool HasWord(const char* word) const;

    std::vector<std::string> m_arguments;
    std::string m_text;
};
