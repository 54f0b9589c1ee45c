// The process: system errors, fatal exit, opening links with the default program.
#include "platform/core/PProcess.h"
#include "platform/core/PFile.h"
#include "platform/core/PLauncher.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace
{
// The full path of a program found on the search path, or "" when there is none.
std::string FindProgram(const std::string& name)
{
    const char* path = getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size())
    {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty())
        {
            std::string candidate = PFile::JoinPath(folder, name);
            if (access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return "";
}
}

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
    // The desktop's opener decides which program shows the link, as a double click would.
    const std::string opener = FindProgram("xdg-open");
    if (opener.empty())
    {
        errorText = "No desktop opener (xdg-open) found";
        return false;
    }
    if (!PLauncher::Launch(opener, {url}))
    {
        errorText = "Could not start " + opener;
        return false;
    }
    return true;
}
