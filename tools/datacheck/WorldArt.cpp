// The factory-art group of the data checker.
#include "WorldArt.h"

#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_FacilityManager.h"
#include "sim/definitions/SIM_FacilityTask.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/SIM_PropTypeManager.h"
#include "sim/definitions/SIM_Resource.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace
{
const char* const kSides[4] = {"NE", "SE", "SW", "NW"};

// The eight sequences the robot sequencer asks a welding robot's animation for.
const char* const kRobotSections[8] = {"Lean In", "WL1In",   "WL1Loop", "WL1Out",
                                       "WL2In",   "WL2Loop", "WL2Out",  "Lean Out"};

// The largest sheet the game's compiler makes and its render target holds.
constexpr int kMaxSheetWidth = 2048;
constexpr int kMaxSheetHeight = 4096;

std::vector<std::string> Fields(const std::string& value)
{
    std::vector<std::string> out;
    GStringTokenizer tokens(value, ',');
    while (!tokens.AtEnd())
        out.push_back(tokens.GetString());
    return out;
}

std::vector<IniPair> Section(const std::string& file, const std::string& section)
{
    IniLoader ini;
    ini.Load(section, file);
    return ini.GetPairs();
}

std::vector<std::string> Listing(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> out;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return out;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == extension &&
            entry.path().filename().string()[0] != '.')
            out.push_back(entry.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Width and height from a DDS header; false when the file is no DDS.
bool DdsSize(const std::string& path, int& width, int& height)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[20] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head) || head[0] != 'D' || head[1] != 'D' || head[2] != 'S')
        return false;
    auto word = [&head](int at) {
        return static_cast<int>(static_cast<uint32_t>(head[at]) | static_cast<uint32_t>(head[at + 1]) << 8 |
                                static_cast<uint32_t>(head[at + 2]) << 16 | static_cast<uint32_t>(head[at + 3]) << 24);
    };
    height = word(12);
    width = word(16);
    return true;
}
} // namespace

WorldArt::WorldArt(std::string dataRoot, ReportFn report) : m_root(std::move(dataRoot)), m_report(std::move(report))
{
}

void WorldArt::Run()
{
    ReadFiles();
    ReadAtlases();
    CheckFloors();
    CheckWalls();
    CheckProps();
    CheckAnimations();
    CheckSimpleAnimations();
    CheckResources();
    CheckCars();
    CheckCodeTextures();
    CheckParticles();
}

void WorldArt::ReadFiles()
{
    std::error_code ec;
    const std::string bitmaps = m_root + "/bitmaps";
    if (!fs::is_directory(bitmaps, ec))
        return;
    for (const auto& entry : fs::recursive_directory_iterator(bitmaps, ec))
        if (entry.is_regular_file())
            m_files.emplace(entry.path().filename().string(), entry.path().string());
}

void WorldArt::ReadAtlases()
{
    for (const std::string& table : Listing(m_root + "/bitmaps/atlases", ".atl"))
        for (const IniPair& pair : Section(table, "atlasdata"))
        {
            const std::vector<std::string> f = Fields(pair.value);
            if (f.size() != 10 || f[0].empty() || m_entries.count(f[0]))
                continue; // malformed lines and repeats are the interface group's findings
            AtlasEntry e;
            e.table = table;
            e.texture = f[5];
            for (int i = 0; i < 4; ++i)
            {
                e.uv[i] = static_cast<float>(std::atof(f[1 + i].c_str()));
                e.frame[i] = static_cast<float>(std::atof(f[6 + i].c_str()));
            }
            const std::string where = table + " " + f[0];
            if (!IsFile(e.texture))
                m_report(where, "atlas texture '" + e.texture + "' does not exist");
            for (int i = 0; i < 4; ++i)
                if (e.uv[i] < 0.0f || e.uv[i] > 1.0f || e.frame[i] < 0.0f || e.frame[i] > 1.0f)
                {
                    m_report(where, "texture coordinates and frame fractions must lie within 0..1");
                    break;
                }
            if (e.uv[2] < e.uv[0] || e.uv[3] < e.uv[1] || e.frame[2] < e.frame[0] || e.frame[3] < e.frame[1])
                m_report(where, "a rectangle ends before it starts");
            m_entries.emplace(f[0], e);
        }
}

const WorldArt::AtlasEntry* WorldArt::Entry(const std::string& sprite) const
{
    const auto at = m_entries.find(sprite);
    return at == m_entries.end() ? nullptr : &at->second;
}

void WorldArt::RequireAtlasOrFile(const std::string& name, const std::string& where)
{
    if (!name.empty() && !Entry(name) && !IsFile(name))
        m_report(where, "picture '" + name + "' is neither an atlas entry nor a file under bitmaps");
}

void WorldArt::RequireEntry(const std::string& name, const std::string& texture, const std::string& where)
{
    const AtlasEntry* e = Entry(name);
    if (!e)
        m_report(where, "'" + name + "' must be an atlas entry");
    else if (!texture.empty() && e->texture != texture)
        m_report(where, "'" + name + "' must be packed in " + texture + ", not " + e->texture);
}

void WorldArt::RequireFile(const std::string& name, const std::string& where)
{
    if (!name.empty() && !IsFile(name))
        m_report(where, "picture '" + name + "' does not exist under bitmaps");
}

void WorldArt::CheckFloors()
{
    // A floor is drawn as a plain picture and batched when it lies in bitmaps/floors; ghosts and
    // the editors look it up as an atlas entry of itself.
    std::set<std::string> floorFolder;
    for (const std::string& path : Listing(m_root + "/bitmaps/floors", ".dds"))
        floorFolder.insert(fs::path(path).filename().string());
    auto identity = [this](const std::string& name, const std::string& where) {
        const AtlasEntry* e = Entry(name);
        if (!e)
            m_report(where, "floor '" + name + "' has no atlas entry of itself");
        else if (e->texture != name || e->uv[0] != 0.0f || e->uv[1] != 0.0f || e->uv[2] != 1.0f || e->uv[3] != 1.0f)
            m_report(where, "floor '" + name + "' must be an atlas entry of the whole picture " + name);
    };
    auto floor = [&](const std::string& name, const std::string& where) {
        if (name.empty())
            return;
        if (!floorFolder.count(name))
            m_report(where, "floor '" + name + "' is not in bitmaps/floors");
        identity(name, where);
    };
    std::set<std::string> missionFloors;
    for (const SIM_Mission* mission : SIM_MissionManager::Instance().GetMissions())
        for (const auto& zone : mission->m_zones)
            for (const std::string& name : zone->m_floorTextures)
            {
                floor(name, mission->m_file);
                missionFloors.insert(name);
            }
    // The mission editor offers exactly the floors of floors.atl.
    const std::string table = m_root + "/bitmaps/atlases/floors.atl";
    std::set<std::string> offered;
    for (const IniPair& pair : Section(table, "atlasdata"))
        offered.insert(Fields(pair.value).empty() ? "" : Fields(pair.value)[0]);
    for (const std::string& name : missionFloors)
        if (!offered.count(name))
            m_report(table, "mission floor '" + name + "' is not offered to the mission editor");
    for (const SIM_ProductionTask* task : SIM_ProductionTaskManager::Instance().GetTasks())
    {
        for (const TaskTileDef& tile : task->m_tiles)
            floor(tile.texture, task->m_file);
        if (task->IsConveyor())
            for (const std::string& sprite : task->m_sprites)
                floor(sprite, task->m_file);
    }
    for (const SIM_FacilityTask* facility : SIM_FacilityManager::Instance().GetTasks())
        for (const TaskTileDef& tile : facility->m_tiles)
            floor(tile.texture, facility->m_file);
}

void WorldArt::CheckWalls()
{
    std::set<int> ids;
    for (const SIM_Mission* mission : SIM_MissionManager::Instance().GetMissions())
        for (const auto& zone : mission->m_zones)
            ids.insert(zone->m_wallId);
    for (int id : ids)
    {
        const std::string where = "wall set " + std::to_string(id);
        const std::string n = "wall" + std::to_string(id) + "_";
        for (const char* side : {"NE", "NW"})
        {
            RequireEntry(n + side + ".dds", "", where);
            RequireEntry(n + side + "_alt.dds", "", where);
        }
        for (const char* side : kSides)
        {
            RequireEntry(n + side + "_import.dds", "", where);
            RequireEntry(n + side + "_export.dds", "", where);
        }
    }
}

void WorldArt::CheckProps()
{
    const std::string where = m_root + "/simulation/props/props.csv";
    for (const SIM_Prop* prop : SIM_PropTypeManager::Instance().GetPropTypes())
        for (int facing = 0; facing < 4; ++facing)
            RequireAtlasOrFile(prop->m_sprites[facing], where + " " + prop->m_name);
}

void WorldArt::CheckAnimations()
{
    // Compiled descriptions: read as the game reads them, sheets checked against them.
    std::map<std::string, std::string> compiled; // name -> .anim path
    for (const std::string& path : Listing(m_root + "/animations", ".anim"))
    {
        IniLoader config;
        config.Load("config", path);
        const std::string name = config.GetValue("name");
        const std::string sheet = config.GetValue("spritesheet");
        const int width = std::atoi(config.GetValue("atlas_width").c_str());
        const int height = std::atoi(config.GetValue("atlas_height").c_str());
        compiled.emplace(name, path);
        if (sheet != name + ".dds")
            m_report(path, "sheet '" + sheet + "' is not the animation's name with .dds");
        const auto file = m_files.find(sheet);
        int w = 0, h = 0;
        if (file == m_files.end() || file->second.find("/animations/") == std::string::npos)
            m_report(path, "sheet '" + sheet + "' is not in bitmaps/animations");
        else if (!DdsSize(file->second, w, h) || w != width || h != height)
            m_report(path, "sheet '" + sheet + "' is not " + std::to_string(width) + " x " + std::to_string(height));
        if (width <= 0 || height <= 0 || width > kMaxSheetWidth || height > kMaxSheetHeight)
            m_report(path, "sheet size beyond the compiler's 2048 x 4096");
        std::set<int> chunks;
        for (const IniPair& pair : Section(path, "sschunks"))
        {
            const std::vector<std::string> r = Fields(pair.value);
            const int x0 = r.size() == 4 ? std::atoi(r[0].c_str()) : -1;
            const int y0 = r.size() == 4 ? std::atoi(r[1].c_str()) : -1;
            const int x1 = r.size() == 4 ? std::atoi(r[2].c_str()) : -1;
            const int y1 = r.size() == 4 ? std::atoi(r[3].c_str()) : -1;
            if (x0 < 0 || y0 < 0 || x1 <= x0 || y1 <= y0 || x1 > width || y1 > height)
                m_report(path, "chunk " + pair.key + " lies outside its sheet");
            chunks.insert(std::atoi(pair.key.c_str()));
        }
        IniLoader names;
        names.LoadSectionNames(path);
        int frames = 0;
        int sections = 0;
        for (const std::string& section : names.GetSectionNames())
        {
            if (section.find("frame") != std::string::npos)
            {
                ++frames;
                for (const IniPair& pair : Section(path, section))
                    if (pair.key != "images" && !chunks.count(std::atoi(pair.value.c_str())))
                        m_report(path + " " + section, "cell " + pair.key + " names a chunk that is not stored");
            }
            else if (section.find("section") != std::string::npos)
            {
                IniLoader s;
                s.Load(section, path);
                for (const char* robot : kRobotSections)
                    if (s.GetValue("name") == robot)
                        ++sections;
            }
        }
        if (frames == 0)
            m_report(path, "no frames");
        m_animSections[name] = sections;
    }
    // Every animated prop's animations, and what a welding robot needs of them.
    const std::string where = m_root + "/simulation/props/props.csv";
    for (const SIM_Prop* prop : SIM_PropTypeManager::Instance().GetPropTypes())
    {
        if (prop->m_kind != PROP_ANIMATED)
            continue;
        const bool robot = prop->m_trigger == "DURINGWORK";
        for (int facing = 0; facing < 4; ++facing)
            for (const SIM_PropAnimation& anim : prop->m_animations[facing])
            {
                const auto at = compiled.find(anim.name);
                if (at == compiled.end())
                {
                    m_report(where + " " + prop->m_name, "animation '" + anim.name + "' is not compiled");
                    continue;
                }
                if (anim.name.find("robot2") != std::string::npos)
                    m_report(where + " " + prop->m_name, "animation '" + anim.name + "' would never start");
                if (!robot)
                    continue;
                if (m_animSections[anim.name] < 8)
                    m_report(at->second, "a welding robot's animation needs all eight weld sequences");
                IniLoader config;
                config.Load("config", at->second);
                const std::vector<std::string> p = Fields(config.GetValue("particles"));
                if (p.size() != 7)
                    m_report(at->second, "particles needs texture, frames, duration and two weld points");
                else
                {
                    RequireFile(p[0], at->second);
                    const int count = std::atoi(p[1].c_str());
                    if (count < 1 || count > 64 || std::atof(p[2].c_str()) <= 0.0)
                        m_report(at->second, "the weld flip-book needs 1 to 64 frames and a duration");
                }
            }
    }
}

void WorldArt::CheckSimpleAnimations()
{
    std::set<std::string> names;
    for (const std::string& path : Listing(m_root + "/simpleanims", ".txt"))
    {
        IniLoader config;
        config.Load("config", path);
        names.insert(config.GetValue("Name"));
        const std::vector<IniPair> frames = Section(path, "frames");
        if (frames.empty())
            m_report(path, "no frames");
        for (const IniPair& frame : frames)
        {
            const std::vector<std::string> f = Fields(frame.value);
            RequireAtlasOrFile(f.empty() ? "" : f[0], path);
        }
    }
    const std::string where = m_root + "/simulation/props/props.csv";
    for (const SIM_Prop* prop : SIM_PropTypeManager::Instance().GetPropTypes())
        if (prop->m_kind == PROP_SIMPLEANIMATED)
            for (int facing = 0; facing < 4; ++facing)
                for (const SIM_PropAnimation& anim : prop->m_animations[facing])
                    if (!names.count(anim.name))
                        m_report(where + " " + prop->m_name, "simple animation '" + anim.name + "' does not exist");
}

void WorldArt::CheckResources()
{
    const std::string where = m_root + "/simulation/resources/resources.csv";
    for (const SIM_Resource* resource : SIM_ResourceManager::Instance().GetResources())
        RequireEntry(resource->GetSpriteName(), "props1.dds", where + " " + resource->m_name);
}

void WorldArt::CheckCars()
{
    // The view batches a car's layers with one texture per facing: car1_ne.dds for north-east and
    // north-west, car1_sw.dds for south-east and south-west.
    static const char* const textures[4] = {"car1_ne.dds", "car1_sw.dds", "car1_sw.dds", "car1_ne.dds"};
    for (const SIM_VehicleComponentType* type : SIM_VehicleComponentTypeManager::Instance().GetComponentTypes())
        for (int facing = 0; facing < 4; ++facing)
            for (int layer = 0; layer < 2; ++layer)
            {
                const std::string& sprite = type->GetLayer(facing, layer).sprite;
                if (!sprite.empty())
                    RequireEntry(sprite, textures[facing], m_root + "/simulation/components " + type->m_name);
            }
}

void WorldArt::CheckCodeTextures()
{
    const std::string where = "factory view";
    for (const char* name : {"floor_plain_01.dds", "export_tile.dds", "tile_blank_outline.dds", "conveyor_gui.dds",
                             "tile_blank.dds", "zoom_out_vehicle.dds", "slot_direction_SE.dds", "conveyor_SE.dds",
                             "overhead_hook_NW.dds", "props1.dds", "car1_ne.dds", "car1_sw.dds"})
        RequireFile(name, where);
    RequireAtlasOrFile("floor_metal_04.dds", where);
    for (const char* side : kSides)
    {
        RequireFile(std::string("conveyor_insert01_") + side + ".dds", where);
        RequireAtlasOrFile(std::string("overhead_") + side + ".dds", where);
        RequireAtlasOrFile(std::string("overhead_terminate_") + side + ".dds", where);
    }
    RequireEntry("overhead_NW.dds", "", where);
    for (const char* target : {"rt_dynamic_sprite_sheet", "rt_car_sprite_cache", "rt_offscreen", "rt_lightmaps"})
        for (const auto& [name, path] : m_files)
            if (name.rfind(target, 0) == 0)
                m_report(path, "is named like a render target the game makes itself");
}

void WorldArt::CheckParticles()
{
    bool placeSlot = false;
    for (const std::string& path : Listing(m_root + "/particles", ".txt"))
    {
        IniLoader config;
        config.Load("config", path);
        placeSlot = placeSlot || config.GetValue("Name") == "place_slot";
        RequireFile(config.GetValue("TextureName"), path);
    }
    if (!placeSlot)
        m_report(m_root + "/particles", "no 'place_slot' particle configuration");
}
