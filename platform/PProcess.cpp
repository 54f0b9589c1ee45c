// The process: system errors, fatal exit, opening links with the default program.
#include "platform/PProcess.h"
#include "platform/PFile.h"

#include <SDL.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int PProcess::LastErrorCode()
{
    return errno;
}

std::string PProcess::ErrorText(int code)
{
    return PFile::ErrorText(code);
}

void PProcess::Exit(int code)
{
    fflush(nullptr);
    std::_Exit(code);
}

bool PProcess::ShellOpen(const std::string& target, std::string& errorText)
{
    errorText.clear();
    if (target.empty())
    {
        errorText = "Nothing to open";
        return false;
    }
    std::string url = target;
    if (url.find("://") == std::string::npos)
    {
        // A file path: hand the desktop an absolute file link.
        std::string path = PFile::NormalisePath(target);
        if (path[0] != '/')
        {
            char* cwd = getcwd(nullptr, 0);
            if (cwd)
            {
                path = std::string(cwd) + "/" + path;
                free(cwd);
            }
        }
        url = "file://" + path;
    }
    if (SDL_OpenURL(url.c_str()) != 0)
    {
        errorText = SDL_GetError();
        return false;
    }
    return true;
}
