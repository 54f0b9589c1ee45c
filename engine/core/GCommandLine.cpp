// The command line the game was started with.
#include "engine/core/GCommandLine.h"

#include "platform/core/PLauncher.h"

GCommandLine& GCommandLine::Instance()
{
    static GCommandLine instance(PLauncher::OwnArguments());
    return instance;
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
