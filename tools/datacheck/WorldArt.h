// The data checker's factory-art group: every floor, wall, marker, prop, robot animation,
// conveyor piece, resource sprite and car layer that the data and the code name must be there,
// as a file or an atlas entry of the kind the code looks up, with fractions, sheets and flip-books
// the game can draw.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

class WorldArt
{
public:
    using ReportFn = std::function<void(const std::string& where, const std::string& what)>;

    // dataRoot is the data folder; the definitions must be loaded (the checker's first step).
    WorldArt(std::string dataRoot, ReportFn report);
    void Run();

    struct AtlasEntry
    {
        std::string table;   // the .atl file it was read from
        std::string texture; // the atlas texture's bare name
        float uv[4] = {0, 0, 0, 0};
        float frame[4] = {0, 0, 0, 0}; // fractions of the untrimmed frame
    };

private:
    void ReadFiles();
    void ReadAtlases();
    void CheckFloors();
    void CheckWalls();
    void CheckProps();
    void CheckAnimations();
    void CheckSimpleAnimations();
    void CheckResources();
    void CheckCars();
    void CheckCodeTextures();
    void CheckParticles();

    bool IsFile(const std::string& name) const { return m_files.count(name) > 0; }
    const AtlasEntry* Entry(const std::string& sprite) const;
    // A picture the code may take from an atlas or, failing that, as a plain file.
    void RequireAtlasOrFile(const std::string& name, const std::string& where);
    void RequireEntry(const std::string& name, const std::string& texture, const std::string& where);
    void RequireFile(const std::string& name, const std::string& where);

    std::string m_root;
    ReportFn m_report;
    std::map<std::string, std::string> m_files;  // bare name -> path under bitmaps
    std::map<std::string, AtlasEntry> m_entries; // first entry of each sprite name
    std::map<std::string, int> m_animSections;   // compiled animation name -> robot sections found
    std::vector<std::string> m_simpleAnims;
};
