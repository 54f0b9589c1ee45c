// File access for the game on Linux: path normalising and Windows-style text reads.
#include "platform/core/PFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// A text-mode read: the file's bytes with every CR LF turned into LF, served from memory.
struct PFileTextCookie
{
    std::string data;
    size_t pos = 0;
};

ssize_t PFileTextRead(void* cookie, char* buf, size_t size)
{
    auto* c = static_cast<PFileTextCookie*>(cookie);
    size_t left = c->data.size() - c->pos;
    size_t n = size < left ? size : left;
    memcpy(buf, c->data.data() + c->pos, n);
    c->pos += n;
    return static_cast<ssize_t>(n);
}

int PFileTextSeek(void* cookie, off64_t* offset, int whence)
{
    auto* c = static_cast<PFileTextCookie*>(cookie);
    long long base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<long long>(c->pos);
    else if (whence == SEEK_END)
        base = static_cast<long long>(c->data.size());
    long long target = base + *offset;
    if (target < 0)
        return -1;
    c->pos = target > static_cast<long long>(c->data.size()) ? c->data.size() : static_cast<size_t>(target);
    *offset = static_cast<off64_t>(c->pos);
    return 0;
}

int PFileTextClose(void* cookie)
{
    delete static_cast<PFileTextCookie*>(cookie);
    return 0;
}
}

std::string PFile::NormalisePath(const std::string& path)
{
    std::string out = path;
    for (char& ch : out)
        if (ch == '\\')
            ch = '/';
    return out;
}

FILE* PFile::Open(const std::string& path, const char* mode)
{
    if (!mode || !*mode)
        return nullptr;
    std::string m;
    bool text = true;
    bool plus = false;
    for (const char* p = mode; *p; ++p)
    {
        if (*p == 't')
            continue;
        if (*p == 'b')
            text = false;
        if (*p == '+')
            plus = true;
        m += *p;
    }
    const std::string real = NormalisePath(path);
    if (m[0] == 'r' && text && !plus)
    {
        std::string bytes;
        if (!ReadAll(real, bytes))
            return nullptr;
        auto* cookie = new PFileTextCookie;
        cookie->data.reserve(bytes.size());
        for (size_t i = 0; i < bytes.size(); ++i)
        {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                continue;
            cookie->data += bytes[i];
        }
        cookie_io_functions_t io{PFileTextRead, nullptr, PFileTextSeek, PFileTextClose};
        FILE* f = fopencookie(cookie, "r", io);
        if (!f)
            delete cookie;
        return f;
    }
    // Folders cannot be opened as files (the C library here would allow reading one).
    struct stat st;
    if (stat(real.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    {
        errno = EISDIR;
        return nullptr;
    }
    return fopen(real.c_str(), m.c_str());
}

uint32_t PFile::GetAttributes(const std::string& path)
{
    const std::string real = NormalisePath(path);
    struct stat st;
    if (stat(real.c_str(), &st) != 0)
        return ATTR_INVALID;
    uint32_t attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= ATTR_DIRECTORY;
    if (access(real.c_str(), W_OK) != 0)
        attr |= ATTR_READONLY;
    return attr ? attr : ATTR_NORMAL;
}

bool PFile::Exists(const std::string& path)
{
    struct stat st;
    return stat(NormalisePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PFile::Delete(const std::string& path)
{
    const std::string real = NormalisePath(path);
    struct stat st;
    if (stat(real.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    {
        errno = EISDIR;
        return false;
    }
    return unlink(real.c_str()) == 0;
}

bool PFile::RenameNoReplace(const std::string& from, const std::string& to)
{
    const std::string source = NormalisePath(from);
    const std::string target = NormalisePath(to);
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system that cannot rename without replacing: the name is looked at first.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st;
    if (lstat(target.c_str(), &st) == 0)
    {
        errno = EEXIST;
        return false;
    }
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool PFile::ReadAll(const std::string& path, std::string& out)
{
    out.clear();
    const std::string real = NormalisePath(path);
    struct stat st;
    if (stat(real.c_str(), &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode))
    {
        errno = EISDIR;
        return false;
    }
    FILE* f = fopen(real.c_str(), "rb");
    if (!f)
        return false;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

int PFile::LastError()
{
    return errno;
}

std::string PFile::ErrorText(int code)
{
    char buf[256];
    // glibc's strerror_r returns the text, which may or may not live in buf.
    const char* text = strerror_r(code, buf, sizeof buf);
    return text ? text : "Unknown error";
}

std::string PFile::JoinPath(const std::string& folder, const std::string& name)
{
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    path += '/';
    path += name;
    return path;
}
