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

    // The art a check can cover besides the data: the sounds, the interface pictures and the
    // pictures of the factory floor.
    enum ArtGroup : unsigned
    {
        ART_SOUNDS = 1u,
        ART_UI = 2u,
        ART_WORLD = 4u,
        ART_ALL = ART_SOUNDS | ART_UI | ART_WORLD
    };
    // Also checks that the art of these groups that the data and the code name exists.
    void SetArtGroups(unsigned groups) { m_artGroups = groups; }
    // The groups a command line names: "" for all, else a comma list of "sounds", "ui" and
    // "world"; false for an unknown name.
    static bool ParseArtGroups(const std::string& text, unsigned& groups);

    // Runs every check; the findings are returned in the order found. Each rule shows its first
    // kMaxFindingsPerRule findings, then one line with the count of the rest, so a pathological
    // file cannot print millions of lines.
    const std::vector<std::string>& Run();
    static constexpr int kMaxFindingsPerRule = 50;

    // The text keys the game looks up; strings.ini must hold every one.
    static const std::vector<std::string>& RequiredTextKeys();

private:
    void Report(const std::string& where, const std::string& what);
    // A finding of a named rule at a line of a file ("file:line: what"; line 0 for the whole file).
    void ReportAt(const std::string& rule, const std::string& file, int line, const std::string& what);
    void ReportCapped(const std::string& rule, const std::string& finding);
    void ReportOverflow();

    void LoadEverything();
    void CheckLoaderErrors();
    void CheckFiles();
    void CheckTaskFiles();
    void CheckTaskTable();
    void CheckTaskSemantics();
    void CheckConveyorPieces();
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
    bool ChecksArt(ArtGroup group) const { return (m_artGroups & group) != 0; }
    void CheckSounds();
    void CheckWorldArt();

    // Tile sections and "[upgrades]" shared by tasks and facilities.
    void CheckLayoutSections(const std::string& file, bool facility);

    bool TextureExists(const std::string& name) const;

    std::string m_root;
    std::string m_sim;
    unsigned m_artGroups = 0;
    std::vector<std::string> m_findings;
    std::map<std::string, int> m_ruleCounts; // findings of each rule so far, shown or not
    std::string m_logFolder;
    std::map<std::string, std::string> m_bitmapPaths; // bare file name under bitmaps/** -> path
    std::vector<std::string> m_namedTextures;         // world pictures: floors, sprites, layout textures
    std::vector<std::string> m_namedIcons;            // task, facility, research, resource, upgrade, mission icons
    std::set<std::string> m_atlasSprites;             // sprite names of every atlas entry
    std::vector<std::string> m_namedSounds;
};
