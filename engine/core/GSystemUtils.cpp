// System helpers: folder paths, fatal system errors, opening links.
#include "engine/core/GSystemUtils.h"
#include "engine/core/GDebugLog.h"
#include "platform/core/PDirectory.h"
#include "platform/core/PMessageBox.h"
#include "platform/core/PProcess.h"

void EnsureDirectoryExists(const std::string& path)
{
    if (path.empty())
        return;
    // 1. The longest prefix that exists.
    std::string prefix = path;
    while (!prefix.empty() && !PDirectory::Exists(prefix))
    {
        size_t cut = prefix.find_last_of("\\/");
        prefix = cut == std::string::npos ? std::string() : prefix.substr(0, cut);
    }
    // 2. Build the rest piece by piece.
    std::string built = prefix;
    size_t pos = prefix.size();
    bool failed = false;
    while (pos < path.size() && !failed)
    {
        if (path[pos] == '\\' || path[pos] == '/')
        {
            built += '/';
            ++pos;
            continue;
        }
        size_t next = path.find_first_of("\\/", pos);
        if (next == std::string::npos)
            next = path.size();
        std::string piece = path.substr(pos, next - pos);
        std::string candidate = built + piece;
        if (PDirectory::Exists(candidate) || PDirectory::Create(candidate))
            built = candidate;
        else
            failed = true;
        pos = next;
    }
    // 3. The whole path must exist now.
    if (!PDirectory::Exists(path) && !PDirectory::Create(path))
        WindowsError("Cannot create the folder " + path);
}

void WindowsError(const std::string& context)
{
    int code = PProcess::LastErrorCode();
    // The system's text alone ("File exists") does not say which file or folder is meant.
    const std::string text = context + ": " + PProcess::ErrorText(code);
    PMessageBox::Show("WindowsError", text, PMessageBox::ICON_INFORMATION);
    GDebugLog::Instance().Log(text);
    PProcess::Exit(code != 0 ? code : 1);
}

bool ShellOpen(const std::string& target)
{
    std::string error;
    if (PProcess::ShellOpen(target, error))
        return true;
    GDebugLog::Instance().Log(error);
    return false;
}
