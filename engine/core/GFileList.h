// Wildcard search through a folder tree, used by every loader that reads a whole folder of
// data files ("data/shaders/*.fx", "data/bitmaps/*.*"). Names come in a fixed order
// (ASCII, without regard to case), so loading is the same on every machine.
#pragma once
#include <string>
#include <vector>

class GFileList
{
public:
    // Finds the files matching pattern; with "*.*" (any pattern that matches folder names)
    // sub-folders are searched too, depth first where they are met.
    void Find(const std::string& pattern);
    // The search itself: appends folder part + name for every file found.
    void Scan(const std::string& pattern);

    const std::vector<std::string>& GetFiles() const { return m_files; }

    std::vector<std::string> m_files; // the paths found, in search order
    std::string m_folder;             // folder part of the last pattern (with its separator)
    bool m_keepFolder = true;

private:
    static constexpr int MAX_DEPTH = 32;
    int m_depth = 0;
};
