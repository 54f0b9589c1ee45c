// Checks a data tree the way the game will read it: loads every definition through the game's
// own loaders, then walks the raw files for names the loaders skip quietly and for the rules
// that keep a factory playable (research reaches every locked item, stations name themselves,
// import and export sites touch the outside, every text key is there...).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

class DataChecker
{
public:
    explicit DataChecker(std::string dataRoot);

    // Also check the pictures and sounds: every art group when true.
    void SetCheckArt(bool check);
    // Only these groups of the art checks: "ui" (the interface pictures the code names and the
    // icons the data names), "world" (floors, walls, props, sprites), "sounds".
    void SetArtGroups(const std::set<std::string>& groups) { m_artGroups = groups; }
    static const std::set<std::string>& ArtGroups();

    // Runs every check; the findings are returned in the order found.
    const std::vector<std::string>& Run();
    const std::vector<std::string>& GetFindings() const { return m_findings; }

    // The text keys the game looks up; strings.ini must hold every one.
    static const std::vector<std::string>& RequiredTextKeys();

private:
    void Report(const std::string& where, const std::string& what);

    void LoadEverything();
    void CheckLoaderErrors();
    void CheckFiles();
    void CheckTaskFiles();
    void CheckTaskTable();
    void CheckTaskSemantics();
    void CheckFacilities();
    void CheckUpgrades();
    void CheckGlobalUpgrades();
    void CheckResearch();
    void CheckDefinitionsMisc();
    void CheckMissions();
    void CheckTexts();
    void CheckArt();
    void CheckInterfaceArt();
    void CheckAtlases();
    bool ChecksArt(const char* group) const { return m_artGroups.count(group) > 0; }

    // Tile sections and "[upgrades]" shared by tasks and facilities.
    void CheckLayoutSections(const std::string& file, bool facility);

    bool TextureExists(const std::string& name) const;
    bool SoundExists(const std::string& name) const;

    std::string m_root;
    std::string m_sim;
    std::set<std::string> m_artGroups;
    std::vector<std::string> m_findings;
    std::string m_logFolder;
    std::map<std::string, std::string> m_bitmapPaths; // bare file name under bitmaps/** -> path
    std::vector<std::string> m_namedTextures;         // world pictures: floors, sprites, layout textures
    std::vector<std::string> m_namedIcons;            // task, facility, research, resource, upgrade, mission icons
    std::set<std::string> m_atlasSprites;             // sprite names of every atlas entry
    std::vector<std::string> m_namedSounds;
};
