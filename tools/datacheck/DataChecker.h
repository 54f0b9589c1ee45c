// Checks a data tree the way the game will read it: loads every definition through the game's
// own loaders, then walks the raw files for names the loaders skip quietly and for the rules
// that keep a factory playable (research reaches every locked item, stations name themselves,
// import and export sites touch the outside, every text key is there...).
#pragma once

#include <set>
#include <string>
#include <vector>

class DataChecker
{
public:
    explicit DataChecker(std::string dataRoot);

    // Also check that every texture and sound the data names exists as a file.
    void SetCheckArt(bool check) { m_checkArt = check; }

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

    // Tile sections and "[upgrades]" shared by tasks and facilities.
    void CheckLayoutSections(const std::string& file, bool facility);

    bool TextureExists(const std::string& name) const;
    bool SoundExists(const std::string& name) const;

    std::string m_root;
    std::string m_sim;
    bool m_checkArt = false;
    std::vector<std::string> m_findings;
    std::string m_logFolder;
    std::set<std::string> m_bitmapNames; // bare file names under bitmaps/**
    std::vector<std::string> m_namedTextures;
    std::vector<std::string> m_namedSounds;
};
