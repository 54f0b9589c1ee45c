// File access for the game on Linux: every path the game builds (often with '\') goes through
// here, so data paths written the Windows way open the same files, and text reads see LF line ends.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class PFile
{
public:
    // Attribute bits as the game tests them. A missing path reads as every bit set, as the
    // game's own delete routine expects.
    static constexpr uint32_t ATTR_READONLY = 0x1;
    static constexpr uint32_t ATTR_DIRECTORY = 0x10;
    static constexpr uint32_t ATTR_NORMAL = 0x80;
    static constexpr uint32_t ATTR_INVALID = 0xFFFFFFFFu;

    // folder + '/' + name, built in place.
    static std::string JoinPath(const std::string& folder, const std::string& name);
    // The one path normaliser: every '\' becomes '/'.
    static std::string NormalisePath(const std::string& path);

    // Opens like the C library's fopen with a Windows-style mode ("rt", "wb", "at", ...).
    // A read in text mode delivers CR LF as LF, as the game's readers assume. Null on failure.
    static FILE* Open(const std::string& path, const char* mode);

    // Attributes of a path, or ATTR_INVALID when it does not exist.
    static uint32_t GetAttributes(const std::string& path);
    // True when path names an existing regular file.
    static bool Exists(const std::string& path);
    // Removes a file; false on failure, with the reason in LastError / ErrorText.
    static bool Delete(const std::string& path);
    // Gives the file at `from` the name `to`, never over anything already there: false with
    // EEXIST (LastError) when `to` is taken, or with the reason of any other failure.
    static bool RenameNoReplace(const std::string& from, const std::string& to);
    // Reads a whole file as bytes; false when it cannot be opened or read.
    static bool ReadAll(const std::string& path, std::string& out);

    // The operating-system error code of the last failed call on this thread, and its text.
    static int LastError();
    static std::string ErrorText(int code);
};
