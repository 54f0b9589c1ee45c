// Folders for the game on Linux: wildcard search, creation, Documents and executable folders.
#include "platform/core/PDirectory.h"
#include "platform/core/PFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
int PDirectoryFold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

bool PDirectoryMatchFrom(const char* p, const char* n)
{
    // Iterative '*' matching with one backtrack point: linear in practice, never recursive.
    const char* starP = nullptr;
    const char* starN = nullptr;
    while (*n)
    {
        if (*p == '*')
        {
            starP = p++;
            starN = n;
        }
        else if (*p == '?' || (*p && PDirectoryFold(static_cast<unsigned char>(*p)) ==
                                         PDirectoryFold(static_cast<unsigned char>(*n))))
        {
            ++p;
            ++n;
        }
        else if (starP)
        {
            p = starP + 1;
            n = ++starN;
        }
        else
            return false;
    }
    while (*p == '*')
        ++p;
    return *p == 0;
}

std::string PDirectoryHome()
{
    const char* home = getenv("HOME");
    return home ? home : "";
}
}

bool PDirectory::WildcardMatch(const std::string& pattern, const std::string& name)
{
    // "*.*" and "x.*" also match names without any dot, as on Windows.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 && name.find('.') == std::string::npos)
        return PDirectoryMatchFrom(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
    return PDirectoryMatchFrom(pattern.c_str(), name.c_str());
}

std::vector<PDirectoryEntry> PDirectory::Find(const std::string& pattern)
{
    std::vector<PDirectoryEntry> out;
    const std::string norm = PFile::NormalisePath(pattern);
    size_t slash = norm.find_last_of('/');
    std::string folder(1, '.');
    std::string filePattern = norm;
    if (slash != std::string::npos)
    {
        // A pattern right under the root ("/x*") searches the root itself.
        folder = slash == 0 ? std::string(1, '/') : norm.substr(0, slash);
        filePattern = norm.substr(slash + 1);
    }
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return out;
    while (dirent* e = readdir(dir))
    {
        std::string name = e->d_name;
        if (!WildcardMatch(filePattern, name))
            continue;
        PDirectoryEntry entry;
        entry.name = name;
        struct stat st;
        const std::string full = PFile::JoinPath(folder, name);
        entry.isDirectory = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        out.push_back(entry);
    }
    closedir(dir);
    std::sort(out.begin(), out.end(), [](const PDirectoryEntry& a, const PDirectoryEntry& b) {
        int c = strcasecmp(a.name.c_str(), b.name.c_str());
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return out;
}

bool PDirectory::Create(const std::string& path)
{
    return mkdir(PFile::NormalisePath(path).c_str(), 0755) == 0;
}

bool PDirectory::CreatePath(const std::string& path)
{
    const std::string norm = PFile::NormalisePath(path);
    if (norm.empty())
        return false;
    for (size_t i = 1; i <= norm.size(); ++i)
    {
        if (i < norm.size() && norm[i] != '/')
            continue;
        std::string part = norm.substr(0, i);
        if (!Exists(part) && mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return Exists(norm);
}

bool PDirectory::Exists(const std::string& path)
{
    struct stat st;
    return stat(PFile::NormalisePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string PDirectory::DocumentsFolder()
{
    const std::string home = PDirectoryHome();
    std::string dir;
    if (const char* env = getenv("XDG_DOCUMENTS_DIR"); env && *env)
        dir = env;
    else
    {
        // ~/.config/user-dirs.dirs holds XDG_DOCUMENTS_DIR="$HOME/Dokumente" on localised desktops.
        const char* cfg = getenv("XDG_CONFIG_HOME");
        std::string file = (cfg && *cfg) ? std::string(cfg) : home + "/.config";
        file += "/user-dirs.dirs";
        std::string text;
        if (!home.empty() && PFile::ReadAll(file, text))
        {
            size_t pos = text.find("XDG_DOCUMENTS_DIR=\"");
            if (pos != std::string::npos && (pos == 0 || text[pos - 1] == '\n'))
            {
                size_t start = pos + 19;
                size_t end = text.find('"', start);
                if (end != std::string::npos)
                {
                    dir = text.substr(start, end - start);
                    if (dir.compare(0, 5, "$HOME") == 0)
                        dir = home + dir.substr(5);
                }
            }
        }
    }
    if (dir.empty() || dir[0] != '/')
    {
        if (home.empty())
            return "";
        dir = home + "/Documents";
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

std::string PDirectory::ExecutableFolder()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool PDirectory::ChangeToExecutableFolder()
{
    const std::string folder = ExecutableFolder();
    return !folder.empty() && chdir(folder.c_str()) == 0;
}
