// Mission editor dialog: controls, zone fields and saving.
#include "gui/editors/mission/GUI_MissionEditorDialog.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GTextTable.h"
#include "engine/core/IniLoader.h"
#include "gui/editors/mission/GUI_MissionEditorMap.h"
#include "gui/toolkit/effects/SpriteAtlasTable.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/layout/GUI_Metrics.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextEditWindow.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"
#include "sim/world/SIM_MissionManager.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace
{
GUI_SingleWindow<GUI_MissionEditorDialog> g_singleMissionEditor;

// Where each control of the left column starts below the client area's top.
constexpr int kCreateZoneY = 0;
constexpr int kSaveY = 35;
constexpr int kImportsY = 70;
constexpr int kExportsY = 105;
constexpr int kNameY = 210;
constexpr int kRentY = 280;
constexpr int kWallsY = 350;
constexpr int kFloorY = 420;
constexpr int kPreviewTop = 500;
constexpr int kTypeY = 645;
// Labels sit this far above their control.
constexpr int kEditorLabelRise = 20;
constexpr uint32_t kEditorLabelColour = 0xFF000000u;

constexpr const char* kZoneNameCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 '()-.[]_";

constexpr const char* kZoneLockedText = "LOCKED";
constexpr const char* kZoneUnlockedText = "UNLOCKED";

// The rent the file can hold: written with "%.4f" and read back as an int, so anything that is
// no finite number, or lies beyond what an int holds, would come back as something else.
float EditorRentFromText(const std::string& text)
{
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value))
        return 0.0f;
    constexpr double kLimit = 1.0e9;
    // The game reads the whole units only; the field shows what the game will charge.
    return static_cast<float>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, value))));
}

// Savegames remember the zones the player bought by name: a zone without a name, or one sharing
// its name with an earlier zone, would come back locked after loading (or open the other zone).
// The first zone of each name keeps it; the others get the name with the first free number.
// Names are compared as the file gives them back, without spaces at either end.
void GiveZonesDistinctNames(SIM_Mission& mission)
{
    std::set<std::string> named;
    for (const auto& zone : mission.m_zones)
    {
        std::string& name = zone->m_guiName;
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        named.insert(name);
    }
    std::set<std::string> used;
    for (const auto& zone : mission.m_zones)
    {
        if (!zone->m_guiName.empty() && used.insert(zone->m_guiName).second)
            continue;
        const std::string stem = zone->m_guiName.empty() ? GTextTable::GetText("MISSION_EDITOR_ZONE") : zone->m_guiName;
        for (int number = zone->m_guiName.empty() ? 1 : 2;; ++number)
        {
            std::string name = stem + " " + std::to_string(number);
            if (named.count(name) == 0 && used.count(name) == 0)
            {
                zone->m_guiName = name;
                used.insert(std::move(name));
                break;
            }
        }
    }
}

std::string FirstOfFloorList(const std::string& list)
{
    return list.substr(0, list.find(','));
}

// The registered view of the editor: the first mission of the game's list.
std::unique_ptr<GUI_WindowBase> MakeRegisteredMissionEditor()
{
    SIM_MissionManager& missions = SIM_MissionManager::Instance();
    missions.Load();
    static SIM_Mission standIn;
    SIM_Mission* mission = missions.GetMissions().empty() ? &standIn : missions.GetMissions().front();
    if (mission == &standIn)
    {
        standIn.m_worldX = 32;
        standIn.m_worldY = 32;
    }
    return std::make_unique<GUI_MissionEditorDialog>(mission);
}

const GUI_WindowRegistration kMissionEditorRegistration{"missioneditor", MakeRegisteredMissionEditor, false};
} // namespace

GUI_MissionEditorDialog* GUI_MissionEditorDialog::GetOpen()
{
    return g_singleMissionEditor.Get();
}

GUI_MissionEditorDialog::GUI_MissionEditorDialog(SIM_Mission* mission) : GUI_Dialog(false), m_mission(mission)
{
    g_singleMissionEditor.Claim(this);
    FV_ASSERT(mission);

    m_createZone = CreateChild<GUI_ButtonText>("EDITOR_CREATE_ZONE", [this] { OnCreateZone(); });
    m_save = CreateChild<GUI_ButtonText>("EDITOR_SAVE", [this] { OnSave(); });
    m_imports = CreateChild<GUI_ButtonText>("EDITOR_IMPORTS", [this] { OnImports(); });
    m_exports = CreateChild<GUI_ButtonText>("EDITOR_EXPORTS", [this] { OnExports(); });

    m_map = CreateSubWindow<GUI_MissionEditorMap>(mission);
    m_nameField = CreateSubWindow<GUI_TextEditWindow>(kFieldLength);
    m_nameField->SetFileNameCharacters(true);
    // Savegames list the open zones by name, separated by commas: a comma in a name would split it.
    m_nameField->SetAllowedCharacters(kZoneNameCharacters);
    m_rentField = CreateSubWindow<GUI_TextEditWindow>(kFieldLength);
    m_rentField->SetFileNameCharacters(true);
    m_wallsList = CreateSubWindow<GUI_DropDownList>([this] { OnListSelect(); });
    for (const char* wall : {"1", "2", "3"})
        m_wallsList->AddItem(wall);
    m_floorList = CreateSubWindow<GUI_DropDownList>([this] { OnListSelect(); });
    m_typeList = CreateSubWindow<GUI_DropDownList>([this] { OnListSelect(); });
    m_typeList->AddItem(kZoneLockedText);
    m_typeList->AddItem(kZoneUnlockedText);

    m_nameLabel = GTextTable::GetText("MISSION_EDITOR_NAME");
    m_rentLabel = GTextTable::GetText("MISSION_EDITOR_RENT");
    m_wallsLabel = GTextTable::GetText("MISSION_EDITOR_WALLS");
    m_floorLabel = GTextTable::GetText("MISSION_EDITOR_FLOOR");
    m_typeLabel = GTextTable::GetText("MISSION_EDITOR_TYPE");
    FillFloorList();

    m_floorPreview.m_width = static_cast<float>(kPreviewWidth);
    m_floorPreview.m_height = static_cast<float>(kPreviewHeight);
    const int height = GScreenSize::Height() - 20;
    SetSize(static_cast<float>(height + 260), static_cast<float>(height));
    CentreOnScreen();
    SetTitleByKey("MISSION_EDITOR_TITLE");
    m_map->BuildGrid();
}

GUI_MissionEditorDialog::~GUI_MissionEditorDialog()
{
    g_singleMissionEditor.Release(this);
}

void GUI_MissionEditorDialog::Release()
{
    m_selectedZone = nullptr;
    g_singleMissionEditor.Release(this);
}

void GUI_MissionEditorDialog::Layout()
{
    const PRect& client = GetClientRect();
    const int side = GUI_Layout::Height(client);
    GUI_Layout::Place(m_map, PRect{client.right - side, client.top, client.right, client.bottom});
    const auto control = [&client](int y) {
        return GUI_Layout::FromSize(client.left, client.top + y, kControlWidth, kControlHeight);
    };
    GUI_Layout::Place(m_createZone, control(kCreateZoneY));
    GUI_Layout::Place(m_save, control(kSaveY));
    GUI_Layout::Place(m_imports, control(kImportsY));
    GUI_Layout::Place(m_exports, control(kExportsY));
    GUI_Layout::Place(m_nameField, control(kNameY));
    GUI_Layout::Place(m_rentField, control(kRentY));
    GUI_Layout::Place(m_wallsList, control(kWallsY));
    GUI_Layout::Place(m_floorList, control(kFloorY));
    GUI_Layout::Place(m_typeList, control(kTypeY));
    m_floorPreview.SetPosition(static_cast<float>(client.left) + kControlWidth / 2.0f,
                               static_cast<float>(client.top + kPreviewTop) + kPreviewHeight / 2.0f);
}

void GUI_MissionEditorDialog::FillFloorList()
{
    IniLoader ini;
    ini.LoadSection("atlasdata", kFloorAtlas);
    std::string key;
    std::string value;
    while (ini.NextPair(key, value))
        m_floorList->AddItem(FirstOfFloorList(value));
}

void GUI_MissionEditorDialog::ShowFloorPreview(const std::string& floorTextures)
{
    ApplyAtlasToSprite(m_floorPreview, FirstOfFloorList(floorTextures));
}

void GUI_MissionEditorDialog::ApplyToZone()
{
    SIM_BuildingZone* zone = m_selectedZone;
    if (!zone)
        return;
    zone->m_guiName = m_nameField->GetText();
    zone->m_rentPerTile = EditorRentFromText(m_rentField->GetText());
    zone->m_wallId = std::atoi(m_wallsList->GetSelected().c_str());
    // A zone may name several floor textures; only a floor actually picked in the list replaces
    // them, so selecting a zone and moving on never loses its mix.
    const std::string& floor = m_floorList->GetSelected();
    if (floor != FirstOfFloorList(zone->m_floorTextureList))
        zone->m_floorTextureList = floor;
    zone->m_state = m_typeList->GetSelected() == kZoneUnlockedText ? SIM_BuildingZone::STATE_UNLOCKED
                                                                   : SIM_BuildingZone::STATE_LOCKED;
    // What the game derives from these values follows them.
    const double area = static_cast<double>(zone->GetSpanY()) * static_cast<double>(zone->GetSpanX());
    zone->m_rent = static_cast<float>(area * zone->m_rentPerTile);
    zone->LoadWallTextures();
    ShowFloorPreview(zone->m_floorTextureList);
}

void GUI_MissionEditorDialog::SelectZone(SIM_BuildingZone* zone)
{
    if (zone == m_selectedZone)
        return;
    ApplyToZone();
    m_selectedZone = zone;
    if (!zone)
    {
        m_nameField->SetText("");
        m_rentField->SetText("");
        for (GUI_DropDownList* list : {m_wallsList, m_floorList, m_typeList})
        {
            list->SetSelected("");
            list->SetDisplayText("");
        }
        return;
    }
    m_nameField->SetText(zone->m_guiName);
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(zone->m_rentPerTile));
    m_rentField->SetText(text);
    const std::string floor = FirstOfFloorList(zone->m_floorTextureList);
    m_floorList->SetSelected(floor);
    m_floorList->SetDisplayText(floor);
    ShowFloorPreview(floor);
    std::snprintf(text, sizeof(text), "%d", zone->m_wallId);
    m_wallsList->SetSelected(text);
    m_wallsList->SetDisplayText(text);
    // A zone never typed leaves the list as it was.
    if (zone->m_state == SIM_BuildingZone::STATE_LOCKED || zone->m_state == SIM_BuildingZone::STATE_UNLOCKED)
    {
        const char* type = zone->m_state == SIM_BuildingZone::STATE_UNLOCKED ? kZoneUnlockedText : kZoneLockedText;
        m_typeList->SetSelected(type);
        m_typeList->SetDisplayText(type);
    }
}

bool GUI_MissionEditorDialog::OnSave()
{
    if (!m_mission)
        return false;
    ApplyToZone();
    // A zone drawn but never given a type would be written without one, and every game on the
    // mission would then stop on an unknown zone type: it is saved locked.
    for (const auto& zone : m_mission->m_zones)
        if (zone->m_state != SIM_BuildingZone::STATE_LOCKED && zone->m_state != SIM_BuildingZone::STATE_UNLOCKED)
            zone->m_state = SIM_BuildingZone::STATE_LOCKED;
    GiveZonesDistinctNames(*m_mission);
    if (m_selectedZone)
        m_nameField->SetText(m_selectedZone->m_guiName);
    if (m_mission->Save())
        return true;
    FV_ERROR_BOX("The mission file [" + m_mission->m_file + "] could not be written; it is left as it was");
    return false;
}

void GUI_MissionEditorDialog::OnCreateZone()
{
    FV_ASSERT(m_map);
    if (m_map)
        m_map->SetMode(GUI_MissionEditorMap::MODE_ZONE_ARMED);
}

void GUI_MissionEditorDialog::OnImports()
{
    FV_ASSERT(m_map);
    if (m_map)
        m_map->SetMode(GUI_MissionEditorMap::MODE_IMPORTS);
}

void GUI_MissionEditorDialog::OnExports()
{
    FV_ASSERT(m_map);
    if (m_map)
        m_map->SetMode(GUI_MissionEditorMap::MODE_EXPORTS);
}

void GUI_MissionEditorDialog::OnListSelect()
{
    ApplyToZone();
}

void GUI_MissionEditorDialog::Draw()
{
    GUI_Dialog::Draw();
    if (m_selectedZone)
        m_floorPreview.Draw();
    GUI_Fonts::SelectSemibold16();
    // An open list is drawn last, so its rows lie over the controls below it.
    GUI_WindowBase* open = nullptr;
    for (GUI_WindowBase* sub : GetSubWindows())
    {
        if (!sub->IsVisible())
            continue;
        if ((sub == m_wallsList || sub == m_floorList || sub == m_typeList) &&
            static_cast<GUI_DropDownList*>(sub)->IsOpen())
        {
            open = sub;
            continue;
        }
        sub->Draw();
    }
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        const struct
        {
            const std::string& text;
            const GUI_WindowBase* field;
        } labels[] = {{m_nameLabel, m_nameField},
                      {m_rentLabel, m_rentField},
                      {m_wallsLabel, m_wallsList},
                      {m_floorLabel, m_floorList},
                      {m_typeLabel, m_typeList}};
        for (const auto& label : labels)
            fonts.Print(label.text, kEditorLabelColour, static_cast<float>(label.field->GetLeft()),
                        static_cast<float>(label.field->GetTop() - kEditorLabelRise), 0.0f, 0);
        fonts.Flush();
    }
    if (open)
        open->Draw();
}
