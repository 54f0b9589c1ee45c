// Reading and writing one mission file.
#include "sim/world/SIM_Mission.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/GStringUtils.h"
#include "engine/core/IniLoader.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Factory.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace
{
// Mission integers: the leading number of at most the first 63 characters of the value; no
// digits give 0. Values beyond the range of an int are clamped instead of overflowing.
int MissionIntFromText(const std::string& text)
{
    const std::string head = text.substr(0, 63);
    errno = 0;
    const long long value = std::strtoll(head.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// A zone side's size for a field that holds an int: the sides of a damaged file may lie further
// apart than an int reaches.
int MissionIntFromSpan(long long span)
{
    return static_cast<int>(std::clamp<long long>(span, INT_MIN, INT_MAX));
}

// A position "x,y": the value is cut to 255 characters like the reader's buffer; the part
// before the first comma is x, the part after it y ("3" alone is (3, 0)).
SIM_GridPos MissionPosFromText(const std::string& text)
{
    const std::string value = text.substr(0, 255);
    SIM_GridPos pos;
    const size_t comma = value.find(',');
    pos.x = MissionIntFromText(value.substr(0, comma));
    if (comma != std::string::npos)
        pos.y = MissionIntFromText(value.substr(comma + 1));
    return pos;
}

// A zone's sides as the file names them: left and right bound grid y, top and bottom grid x.
struct MissionZoneSides
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

std::string MissionZoneSidesText(const MissionZoneSides& s)
{
    return FormatString("left %d, top %d, right %d, bottom %d", s.left, s.top, s.right, s.bottom);
}

// A zone kept to the floor of worldX by worldY tiles: cut back to the floor's edges where it reaches
// past them, or refused (false) when it has no tile on the floor at all or its sides are swapped
// (left past right, or top past bottom: its area, and so its rent, would count below zero and the
// rent be paid to the player). Either gives one line in `line`, naming the file and the zone,
// which stays empty for a zone that is as it should be. Zones off the floor would bring rent, a
// starting area and walls for tiles that do not exist.
bool MissionZoneOnFloor(const SIM_BuildingZone& zone, const std::string& file, const std::string& section, int worldX,
                        int worldY, MissionZoneSides& sides, std::string& line)
{
    const MissionZoneSides read{zone.m_left, zone.m_top, zone.m_right, zone.m_bottom};
    sides = read;
    line.clear();
    const std::string named = "Mission [" + file + "] zone [" + section + "] \"" + zone.m_guiName + "\" ";
    if (read.left > read.right || read.top > read.bottom)
    {
        line = named + "refused: its sides are swapped (" + MissionZoneSidesText(read) + ")";
        return false;
    }
    if (read.bottom < 0 || read.top >= worldX || read.right < 0 || read.left >= worldY)
    {
        line = named + FormatString("refused: it lies wholly off the %d x %d floor (", worldX, worldY) +
               MissionZoneSidesText(read) + ")";
        return false;
    }
    sides.top = std::max(read.top, 0);
    sides.bottom = std::min(read.bottom, worldX - 1);
    sides.left = std::max(read.left, 0);
    sides.right = std::min(read.right, worldY - 1);
    if (sides.top != read.top || sides.bottom != read.bottom || sides.left != read.left || sides.right != read.right)
        line = named + FormatString("reaches off the %d x %d floor (", worldX, worldY) + MissionZoneSidesText(read) +
               "); clipped to " + MissionZoneSidesText(sides);
    return true;
}

void ReadMissionPositions(const char* section, const std::string& file, std::vector<SIM_GridPos>& out)
{
    IniLoader ini;
    ini.LoadSection(section, file.c_str());
    char key[2048];
    char value[2048];
    while (ini.NextPair(key, sizeof(key), value, sizeof(value)))
        out.push_back(MissionPosFromText(value));
}

std::string MissionPositionsText(const char* section, const std::vector<SIM_GridPos>& list)
{
    IniLoader ini;
    ini.SetSectionName(section);
    char key[32];
    char value[32];
    for (size_t i = 0; i < list.size(); ++i)
    {
        std::snprintf(key, sizeof(key), "%d", static_cast<int>(i));
        std::snprintf(value, sizeof(value), "%d,%d", list[i].x, list[i].y);
        ini.AddPair(key, value);
    }
    return ini.GetSectionText();
}
} // namespace

SIM_Mission::~SIM_Mission()
{
    DeleteZones();
}

void SIM_Mission::DeleteZones()
{
    m_zones.clear();
}

bool SIM_Mission::HasValidSize() const
{
    return m_worldX >= SIM_Factory::MIN_SIZE && m_worldX <= SIM_Factory::MAX_SIZE &&
           m_worldY >= SIM_Factory::MIN_SIZE && m_worldY <= SIM_Factory::MAX_SIZE;
}

void SIM_Mission::Report(const std::string& line)
{
    if (!line.empty() && m_reported.insert(line).second)
        GDebugLog::Instance().LogError(line);
}

bool SIM_Mission::Load(const std::string& path)
{
    // Loading again replaces what an earlier load read instead of piling up positions and zones.
    m_imports.clear();
    m_exports.clear();
    DeleteZones();
    m_startAreaWidth = 0;
    m_startAreaHeight = 0;
    m_file = path;
    IniLoader ini;
    ini.LoadSection("config", m_file.c_str());
    m_name = ini.GetValue("name");
    m_guiName = ini.GetValue("guiname");
    m_icon = ini.GetValue("icon");
    m_worldX = ReadInt(ini, "worldx");
    m_worldY = ReadInt(ini, "worldy");
    m_startingCash = ReadInt(ini, "starting_cash");
    m_guiId = ReadInt(ini, "gui_id");

    ReadMissionPositions("imports", m_file, m_imports);
    ReadMissionPositions("exports", m_file, m_exports);
    LoadZones();

    if (!HasValidSize())
    {
        Report(FormatString("Mission [%s] refused: floor size %d x %d is outside 1 to 999", m_file.c_str(), m_worldX,
                            m_worldY));
        return false;
    }
    return true;
}

int SIM_Mission::ReadInt(const IniLoader& ini, const std::string& key)
{
    std::string report;
    const int value = ini.GetInt(key, report);
    Report(report);
    return value;
}

void SIM_Mission::LoadZones()
{
    IniLoader names;
    names.LoadSectionNames(m_file.c_str());
    for (const std::string& section : names.GetSectionNames())
    {
        if (section.find("zone") == std::string::npos)
            continue;
        IniLoader ini;
        ini.LoadSection(section.c_str(), m_file.c_str());
        auto zone = std::make_unique<SIM_BuildingZone>();
        zone->m_left = ReadInt(ini, "left");
        zone->m_top = ReadInt(ini, "top");
        zone->m_right = ReadInt(ini, "right");
        zone->m_bottom = ReadInt(ini, "bottom");
        zone->m_guiName = ini.GetValue("GUIName");
        // A mission whose floor cannot be built is refused as a whole; its zones are not measured.
        if (HasValidSize())
        {
            MissionZoneSides sides;
            std::string line;
            const bool kept = MissionZoneOnFloor(*zone, m_file, section, m_worldX, m_worldY, sides, line);
            Report(line);
            if (!kept)
                continue;
            zone->m_left = sides.left;
            zone->m_top = sides.top;
            zone->m_right = sides.right;
            zone->m_bottom = sides.bottom;
        }
        const std::string type = ini.GetValue("type");
        if (type == "LOCKED")
        {
            zone->m_state = SIM_BuildingZone::STATE_LOCKED;
        }
        else if (type == "UNLOCKED")
        {
            zone->m_state = SIM_BuildingZone::STATE_UNLOCKED;
            m_startAreaWidth = MissionIntFromSpan(zone->GetSpanY());
            m_startAreaHeight = MissionIntFromSpan(zone->GetSpanX());
        }
        else
        {
            // Once for each zone and type: every game started on the mission reads its zones again.
            std::string boxed = m_file;
            boxed.append(" [").append(section).append("] type ").append(type);
            if (m_reported.insert(std::move(boxed)).second)
                DebugErrorBox("Unknown Building Zone Type", "SIM_Mission", 235);
            zone->m_state = SIM_BuildingZone::STATE_UNREAD;
        }
        zone->m_floorTextureList = ini.GetValue("floortextures");
        zone->m_wallId = ReadInt(ini, "wallid");
        zone->m_rentPerTile = static_cast<float>(MissionIntFromText(ini.GetValue("rent")));
        // In double: the sides of a zone from a damaged file may be far apart.
        const double area = static_cast<double>(zone->GetSpanY()) * static_cast<double>(zone->GetSpanX());
        zone->m_rent = static_cast<float>(area * zone->m_rentPerTile);
        zone->LoadWallTextures();
        m_zones.push_back(std::move(zone));
    }
}

void SIM_Mission::ReloadZones()
{
    DeleteZones();
    LoadZones();
}

bool SIM_Mission::Save()
{
    if (m_file.empty())
        return false;

    // The file is rewritten from its config section; other sections and comments are not kept.
    IniLoader config;
    config.LoadSection("config", m_file.c_str());
    config.SetSectionName("config");
    // The whole file is built first and replaced at once: an editor's save that is killed
    // half way must not leave a mission without its zones.
    std::string text = config.GetSectionText();

    char section[32];
    char value[32];
    int written = 0;
    for (size_t i = 0; i < m_zones.size(); ++i)
    {
        const SIM_BuildingZone* zone = m_zones[i].get();
        // What is written is what the next load keeps: never a zone off the floor, nor one whose
        // sides are swapped (the editor makes one of a drag released above or left of its start).
        MissionZoneSides sides{zone->m_left, zone->m_top, zone->m_right, zone->m_bottom};
        std::snprintf(section, sizeof(section), "zone%d", static_cast<int>(i));
        std::string line;
        const bool kept =
            !HasValidSize() || MissionZoneOnFloor(*zone, m_file, section, m_worldX, m_worldY, sides, line);
        Report(line);
        if (!kept)
            continue;
        IniLoader ini;
        std::snprintf(section, sizeof(section), "zone%d", written++);
        ini.SetSectionName(section);
        std::snprintf(value, sizeof(value), "%d", sides.left);
        ini.AddPair("left", value);
        std::snprintf(value, sizeof(value), "%d", sides.top);
        ini.AddPair("top", value);
        std::snprintf(value, sizeof(value), "%d", sides.right);
        ini.AddPair("right", value);
        std::snprintf(value, sizeof(value), "%d", sides.bottom);
        ini.AddPair("bottom", value);
        ini.AddPair("GUIName", zone->m_guiName);
        std::snprintf(value, sizeof(value), "%.4f", static_cast<double>(zone->m_rentPerTile));
        ini.AddPair("rent", value);
        std::snprintf(value, sizeof(value), "%d", zone->m_wallId);
        ini.AddPair("wallid", value);
        if (zone->m_state == SIM_BuildingZone::STATE_LOCKED)
            ini.AddPair("type", "LOCKED");
        else if (zone->m_state == SIM_BuildingZone::STATE_UNLOCKED)
            ini.AddPair("type", "UNLOCKED");
        ini.AddPair("floortextures", zone->m_floorTextureList);
        text += ini.GetSectionText();
    }
    text += MissionPositionsText("imports", m_imports) + MissionPositionsText("exports", m_exports);
    if (GFile::Replace(m_file, text))
        return true;
    GDebugLog::Instance().LogError("Mission [" + m_file + "] could not be written; the file is left as it was");
    return false;
}

SIM_BuildingZone* SIM_Mission::GetZoneByName(const std::string& name) const
{
    for (const auto& zone : m_zones)
        if (zone->m_guiName == name)
            return zone.get();
    return nullptr;
}

SIM_BuildingZone* SIM_Mission::GetZoneAt(int x, int y) const
{
    for (const auto& zone : m_zones)
        if (zone->Contains(x, y))
            return zone.get();
    return nullptr;
}
