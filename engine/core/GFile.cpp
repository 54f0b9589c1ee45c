// Opening, replacing and deleting files with the game's logging.
#include "engine/core/GFile.h"
#include "engine/core/GBufferedFileManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GStringUtils.h"
#include "platform/core/PAtomicFile.h"
#include "platform/core/PFile.h"

FILE* GFile::Open(const std::string& path, const char* mode)
{
    return PFile::Open(path, mode);
}

bool GFile::Delete(const std::string& path)
{
    uint32_t attributes = PFile::GetAttributes(path);
    // A missing path reads as every attribute bit set, read-only included.
    if (attributes & PFile::ATTR_READONLY)
        GDebugLog::Instance().Log("GFile::Delete read only");
    if (!PFile::Delete(path))
    {
        int code = PFile::LastError();
        GDebugLog::Instance().Log(
            FormatString("Error deleting file [%s] -> %s", path.c_str(), PFile::ErrorText(code).c_str()));
        return false;
    }
    return true;
}

bool GFile::Replace(const std::string& path, const std::string& text)
{
    std::string error;
    const bool ok = PAtomicFile::Default().Replace(path, text, error);
    if (!ok)
        GDebugLog::Instance().LogError("Cannot save " + path + ": " + error);
    // A later read must see what is on disk now, not a copy cached before.
    GBufferedFileManager::Instance().Reload(path);
    return ok;
}
