// One playable scenario read from a mission file: floor size, starting cash, where import bays
// and car exports may go, and the building zones. The mission editor writes it back.
#pragma once
#include "sim/world/SIM_BuildingZone.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class IniLoader;

struct SIM_GridPos
{
    int x = 0;
    int y = 0;
};

class SIM_Mission
{
public:
    SIM_Mission() = default;
    virtual ~SIM_Mission();
    SIM_Mission(const SIM_Mission&) = delete;
    SIM_Mission& operator=(const SIM_Mission&) = delete;

    // Reads config, imports, exports and zones. False (with an error logged) when the floor
    // size is outside 1..999: such a mission cannot be played. What is wrong in the file goes
    // to the error log (a box for an unknown zone type) once for each mission: every game started
    // on it reads its zones again, and would say it all again.
    bool Load(const std::string& path);
    void LoadZones();
    void ReloadZones();
    void DeleteZones();
    // Writes the mission back to its file: config as read, every zone, imports, exports. The
    // file is replaced whole or not at all; false (with an error logged) when it could not be.
    bool Save();

    SIM_BuildingZone* GetZoneByName(const std::string& name) const;
    SIM_BuildingZone* GetZoneAt(int x, int y) const;

    // Whether the floor size can be built (1..999 each way).
    bool HasValidSize() const;

    std::vector<SIM_GridPos> m_imports;
    std::vector<SIM_GridPos> m_exports;
    std::vector<std::unique_ptr<SIM_BuildingZone>> m_zones; // file order
    std::string m_name;
    std::string m_guiName;
    std::string m_icon;
    int m_worldX = 0;
    int m_worldY = 0;
    int m_startingCash = 0;
    int m_guiId = 0;
    int m_startAreaWidth = 0;
    int m_startAreaHeight = 0;
    std::string m_file;

private:
    // Writes the line to the error log unless this mission wrote it before; nothing for "".
    void Report(const std::string& line);
    // The integer of key, its line (a value that is not wholly a number) reported.
    int ReadInt(const IniLoader& ini, const std::string& key);

    std::unordered_set<std::string> m_reported; // every line written, and each zone type boxed
};
