// The command line the game was started with.
#include "engine/core/GCommandLine.h"

#include "engine/core/GLifetime.h"
#include "platform/core/PLauncher.h"

GCommandLine& GCommandLine::Instance()
{
    return GLifetime::Get<GCommandLine>();
}

GCommandLine::GCommandLine() : GCommandLine(PLauncher::OwnArguments())
{
}

GCommandLine::GCommandLine(std::vector<std::string> arguments) : m_arguments(std::move(arguments))
{
}

bool GCommandLine::HasSilent() const
{
    return HasWord("-silent");
}

bool GCommandLine::HasDebug() const
{
    return HasWord("-debug");
}

bool GCommandLine::HasWord(const char* word) const
{
    for (const std::string& argument : m_arguments)
        if (argument == word)
            return true;
    return false;
}
