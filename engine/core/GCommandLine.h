// The words the game was started with; the only one it acts on is "-silent", given when the
// game relaunches itself after a settings change so that it opens on the settings screen.
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

private:
    friend class GLifetime; // the program's owner creates it from this process's command line
    GCommandLine();

    std::vector<std::string> m_arguments;
    std::string m_text;
};
