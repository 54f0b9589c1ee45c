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
    for (const std::string& word : m_arguments)
        if (word == "-silent")
            return true;
    return false;
}
