// The task editor's tile properties dialog.
#include "gui/editors/task/GUI_Editor_TileProperties.h"

#include "gui/editors/floors/GUI_Edit_FloorTexture.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/editors/task/GUI_TaskPreview.h"
#include "gui/toolkit/widgets/GUI_DropDownList.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/TaskTileDef.h"

#include <memory>

namespace
{
GUI_SingleWindow<GUI_Editor_TileProperties> g_singleTileProperties;

constexpr const char* kTilePropertiesTypeTexts[4] = {"Normal", "Conveyor", "Stockpile", "Export"};
} // namespace

const char* GUI_Editor_TileProperties::TileTypeText(int type)
{
    return type >= 0 && type < 4 ? kTilePropertiesTypeTexts[type] : nullptr;
}

GUI_Editor_TileProperties* GUI_Editor_TileProperties::GetOpen()
{
    return g_singleTileProperties.Get();
}

GUI_Editor_TileProperties* GUI_Editor_TileProperties::Open(TaskTileDef* record)
{
    CloseOpen();
    GUI_Editor_TileProperties* dialog = GUI_WindowManager::Create<GUI_Editor_TileProperties>(record);
    dialog->ShowModal();
    return dialog;
}

void GUI_Editor_TileProperties::CloseOpen()
{
    g_singleTileProperties.CloseOpen();
}

GUI_Editor_TileProperties::GUI_Editor_TileProperties(TaskTileDef* record) : GUI_Dialog(true), m_record(record)
{
    g_singleTileProperties.Claim(this);
    m_floorList = CreateSubWindow<GUI_Edit_FloorTexture>([this](const std::string& texture) { PickFloor(texture); });
    m_typeList = CreateSubWindow<GUI_DropDownList>([this] { OnTypeSelected(); });
    for (const char* text : kTilePropertiesTypeTexts)
        m_typeList->AddItem(text);
    // An unknown type leaves the last item, "Export", showing.
    if (const char* text = record ? TileTypeText(record->type) : nullptr)
    {
        m_typeList->SetSelected(text);
        m_typeList->SetDisplayText(text);
    }
    SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
    CentreOnScreen();
}

GUI_Editor_TileProperties::~GUI_Editor_TileProperties()
{
    g_singleTileProperties.Release(this);
}

void GUI_Editor_TileProperties::Layout()
{
    const PRect& client = GetClientRect();
    if (m_floorList)
        m_floorList->SetRect(static_cast<float>(client.left), static_cast<float>(client.top),
                             static_cast<float>(client.right), static_cast<float>(client.bottom - 30));
    if (m_typeList)
        m_typeList->SetRect(static_cast<float>(client.left), static_cast<float>(client.bottom - 20),
                            static_cast<float>(client.right), static_cast<float>(client.bottom));
}

void GUI_Editor_TileProperties::Draw()
{
    GUI_Dialog::Draw();
    if (IsVisible())
        DrawSubWindows();
}

void GUI_Editor_TileProperties::OnTypeSelected()
{
    if (GUI_Editor_TileProperties* open = g_singleTileProperties.Get())
        open->SetTileType(m_typeList->GetSelected());
}

void GUI_Editor_TileProperties::SetTileType(const std::string& text)
{
    if (!m_record)
        return;
    if (text == kTilePropertiesTypeTexts[TT_NORMAL])
        m_record->type = TT_NORMAL;
    else if (text == kTilePropertiesTypeTexts[TT_CONVEYOR])
    {
        m_record->type = TT_CONVEYOR;
        m_record->texture = "conveyor_insert01_SE.dds";
    }
    else if (text == kTilePropertiesTypeTexts[TT_STOCKPILE])
        m_record->type = TT_STOCKPILE;
    else if (text == kTilePropertiesTypeTexts[TT_EXPORT])
        m_record->type = TT_EXPORT;
    else
        return;
    GUI_TaskEditor& editor = GUI_TaskEditor::Instance();
    editor.SetTask(editor.GetCurrentTask());
}

void GUI_Editor_TileProperties::PickFloor(const std::string& textureName)
{
    if (m_record)
    {
        if (GUI_TaskEditorTile* tile = GUI_TaskPreview::FindTile(m_record->XOffset, m_record->YOffset))
            tile->SetFloorTexture(textureName);
        m_record->texture = textureName;
    }
    // Closing from inside the strip's click: the window manager deletes it once the click is over.
    Close();
}
