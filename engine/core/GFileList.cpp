// Wildcard search through a folder tree.
#include "engine/core/GFileList.h"
#include "platform/core/PDirectory.h"

void GFileList::Find(const std::string& pattern)
{
    if (m_keepFolder)
    {
        size_t cut = pattern.find_last_of("\\/");
        m_folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    }
    Scan(pattern);
}

void GFileList::Scan(const std::string& pattern)
{
    size_t cut = pattern.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    std::string filePattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    for (const PDirectoryEntry& entry : PDirectory::Find(pattern))
    {
        if (entry.name.empty() || entry.name[0] == '.')
            continue;
        if (entry.isDirectory)
        {
            // A folder link that points back up the tree would otherwise recurse forever.
            if (m_depth >= MAX_DEPTH)
                continue;
            ++m_depth;
            std::string below = folder;
            below += entry.name;
            below += '/';
            below += filePattern;
            Scan(below);
            --m_depth;
        }
        else
            m_files.push_back(folder + entry.name);
    }
}
