// The task editor mode.
#include "gui/editors/task/GUI_TaskEditor.h"

#include "engine/CBaseInputManager.h"
#include "engine/GD3DDevice.h"
#include "engine/GGame.h"
#include "engine/GGameServices.h"
#include "engine/GScreenSize.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/editors/task/GUI_EditorProp.h"
#include "gui/editors/task/GUI_Editor_TileProperties.h"
#include "gui/editors/task/GUI_PropPicker.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/editors/task/GUI_TaskGrid.h"
#include "gui/editors/task/GUI_TaskLoader.h"
#include "gui/editors/task/GUI_TaskPreview.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DefinitionTree.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/definitions/SIM_ProductionTaskManager.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/world/SIM_SubTiles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

GUI_TaskEditor& GUI_TaskEditor::Instance()
{
    return GLifetime::Get<GUI_TaskEditor>();
}

GUI_TaskEditor::GUI_TaskEditor()
{
    Register(kModeName);
    SetRaiseOnClick(false);
    SetClampToScreen(false);
}

float GUI_TaskEditor::ScaleForLayout(const std::array<bool, 25>& occupied, float previewWidth)
{
    // A tile in row r and column c stands |c - r| half-tiles off the preview's centre line.
    int widest = 0;
    for (int k = 0; k < 25; ++k)
        if (occupied[static_cast<size_t>(k)])
            widest = std::max(widest, std::abs(k % 5 - k / 5));
    const float extent = 0.5f + 0.5f * static_cast<float>(widest);
    return previewWidth / (2.0f * extent) / 512.0f;
}

void GUI_TaskEditor::OnDefinitionsReloading()
{
    m_task = nullptr;
    m_hoveredTile = nullptr;
    m_hoveredSubTile = -1;
    m_hoveredProp = nullptr;
    m_heldPropType = nullptr;
    GUI_Editor_TileProperties::CloseOpen();
}

void GUI_TaskEditor::Release()
{
    OnDefinitionsReloading();
    m_grid = nullptr;
    m_loader = nullptr;
    m_picker = nullptr;
    m_preview = nullptr;
    while (!GetSubWindows().empty())
        (void)RemoveSubWindow(GetSubWindows().front());
    // The ghosts hold their pictures only while the editor is shown.
    m_mouseGhost = CTexturedSprite();
    m_snappedGhost = CTexturedSprite();
}

void GUI_TaskEditor::Init()
{
    Release();
    m_scale = kStartScale;
    // Everything, in the order a new game reads it: tasks point at props, resources and upgrades,
    // and reading only some of them again would leave the others pointing at freed ones.
    LoadDefinitionTree(m_dataRoot);

    const float w = static_cast<float>(GScreenSize::Width());
    const float h = static_cast<float>(GScreenSize::Height());
    SetBounds(0.0f, 0.0f, w, h);

    // The lists stand 800 pixels tall in the middle of the screen's height; a lower screen cuts
    // them to its own height rather than letting them start above its top edge. The task list
    // ends before the Quit button, which a screen 1280 wide brings within its 500 pixels.
    const float x0 = w / 2.0f - 200.0f;
    const float listTop = std::max(0.0f, h / 2.0f - 400.0f);
    const float listBottom = std::min(h, h / 2.0f + 400.0f);
    m_picker = CreateSubWindow<GUI_PropPicker>();
    m_picker->SetRect(w - 200.0f, listTop, w, h - 200.0f);
    m_picker->RebuildRows();
    m_loader = CreateSubWindow<GUI_TaskLoader>();
    m_loader->SetRect(0.0f, listTop, std::min(500.0f, x0 - 10.0f), listBottom);
    m_loader->RebuildRows();
    m_preview = CreateSubWindow<GUI_TaskPreview>();
    m_preview->SetRect(550.0f, 100.0f, w - 250.0f, h - 100.0f);
    m_preview->LoadDefaultTask();
    m_grid = CreateSubWindow<GUI_TaskGrid>();
    m_grid->SetRect(w - 190.0f, h - 190.0f, w - 10.0f, h - 10.0f);

    DeleteChildren();
    auto* quit = CreateChild<GUI_ButtonText>("TASKEDITOR_QUIT", [this] { OnButton(TASKEDITOR_QUIT); });
    quit->SetRect(x0, 0.0f, x0 + 200.0f, 30.0f);
    auto* save = CreateChild<GUI_ButtonText>("TASKEDITOR_SAVE", [this] { OnButton(TASKEDITOR_SAVE); });
    save->SetRect(x0 + 200.0f, 0.0f, x0 + 400.0f, 30.0f);

    // Without its default task the editor starts empty; the preview has said why.
    if (SIM_ProductionTask* task = SIM_ProductionTaskManager::Instance().GetTask(GUI_TaskPreview::kDefaultTask))
        SetTask(task);
}

void GUI_TaskEditor::SetTask(SIM_BaseTask* task)
{
    if (!task)
        return;
    m_task = task;
    // The editor tiles are built anew: nothing may point at the old ones.
    m_hoveredTile = nullptr;
    m_hoveredSubTile = -1;
    m_hoveredProp = nullptr;
    if (m_grid)
    {
        m_grid->SetTask(task);
        if (m_preview)
            m_scale =
                ScaleForLayout(m_grid->GetOccupied(), static_cast<float>(m_preview->GetRight() - m_preview->GetLeft()));
    }
    if (m_preview)
        m_preview->BuildTaskTiles(task);
    if (m_grid)
        m_grid->SetTask(task);
}

void GUI_TaskEditor::SetHeldPropType(SIM_Prop* type)
{
    m_heldPropType = type;
    if (!type)
        return;
    for (CTexturedSprite* ghost : {&m_mouseGhost, &m_snappedGhost})
    {
        ghost->m_width = type->m_width * m_scale;
        ghost->m_height = type->m_height * m_scale;
        GUI_TaskEditorTile::SetSpritePicture(*ghost, type->GetTextureName(1));
    }
    m_snappedGhost.SetColour(0xFF, 0xFF, 0xFF, 0x80);
}

void GUI_TaskEditor::MousePosition(float& x, float& y)
{
    const CBaseInputManager* input = CBaseInputManager::Active();
    x = input ? input->GetMouseX() : 0.0f;
    y = input ? input->GetMouseY() : 0.0f;
}

bool GUI_TaskEditor::FindNearestSubTile(GUI_TaskEditorTile*& tile, int& index) const
{
    tile = nullptr;
    index = -1;
    if (!m_preview)
        return false;
    float mx = 0.0f, my = 0.0f;
    MousePosition(mx, my);
    float best = 9999.0f;
    for (GUI_TaskEditorTile* candidate : m_preview->GetTiles())
    {
        if (candidate->IsStockpile())
            continue;
        for (int i = 0; i < GUI_TaskEditorTile::kSubTiles; ++i)
        {
            const GUI_TaskEditorTile::Point& p = candidate->GetSubTilePoint(i);
            const float distance = std::hypot(p.x - mx, p.y - my);
            if (distance < best)
            {
                best = distance;
                tile = candidate;
                index = i;
            }
        }
    }
    return tile != nullptr;
}

void GUI_TaskEditor::OnButton(int id)
{
    if (id == TASKEDITOR_QUIT)
    {
        if (GGame* game = GGame::Active())
            game->SetGameMode("mainmenu");
    }
    else if (id == TASKEDITOR_SAVE && m_preview)
        (void)m_preview->SaveTaskLayout();
}

void GUI_TaskEditor::OnLayoutPropsChanged()
{
    if (!m_task)
        return;
    m_task->m_staff.clear();
    m_task->LoadStaff(m_task->m_file);
}

bool GUI_TaskEditor::IsMouseOverPreview() const
{
    if (!m_preview)
        return false;
    float mx = 0.0f, my = 0.0f;
    MousePosition(mx, my);
    return m_preview->IsInside(mx, my);
}

void GUI_TaskEditor::UpdateHover()
{
    m_hoveredTile = nullptr;
    m_hoveredSubTile = -1;
    m_hoveredProp = nullptr;
    if (!FindNearestSubTile(m_hoveredTile, m_hoveredSubTile))
        return;
    // Every point of the screen has a nearest sub-tile; only over the preview, with no dialog
    // in front of it, does a prop answer to the mouse, or a click on a list or a dialog would
    // turn or remove a prop instead.
    if (!IsMouseOverPreview() || GUI_WindowManager::Instance().HasModal())
        return;
    for (GUI_EditorProp* prop : m_hoveredTile->GetProps())
        if (!prop->IsRemoved() && prop->GetSubTile() == m_hoveredSubTile)
        {
            m_hoveredProp = prop;
            break;
        }
}

void GUI_TaskEditor::Process()
{
    if (CBaseInputManager* input = CBaseInputManager::Active())
        input->Update();
    GGameServices::Get().UpdateWindows();
    GUI_WindowBase::Update();
}

void GUI_TaskEditor::Draw()
{
    if (m_rebuild)
    {
        m_rebuild = false;
        Init();
    }
    UpdateHover();
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
    {
        const PResult result = device->Clear(kClearColour);
        if (result != PRES_OK)
            LogD3DError(result, "ClearScreen()");
    }
    DrawChildren();
    DrawSubWindows();
    DrawHeldProp();
    GGameServices::Get().DrawWindows();
}

void GUI_TaskEditor::DrawHeldProp()
{
    if (!m_heldPropType)
        return;
    GUI_TaskEditorTile* tile = nullptr;
    int index = -1;
    if (IsMouseOverPreview() && FindNearestSubTile(tile, index))
    {
        const SubTileOffset offset = GetSubTileOffset(index, 1);
        const float x = tile->GetX() + offset.x * m_scale;
        float y = tile->GetY() + offset.y * m_scale;
        const float height = m_heldPropType->m_height;
        // Machines two storeys tall stand on the point rather than over it.
        if (height > 128.0f && static_cast<int>((height - 128.0f) / 64.0f + 1.0f) > 1)
            y = y + 64.0f * m_scale - m_snappedGhost.m_height / 2.0f;
        m_snappedGhost.SetPosition(x, y);
        m_snappedGhost.Draw();
        return;
    }
    float mx = 0.0f, my = 0.0f;
    MousePosition(mx, my);
    m_mouseGhost.SetPosition(mx, my - m_mouseGhost.m_height / 2.0f);
    m_mouseGhost.Draw();
}

void GUI_TaskEditor::OnLeftDown()
{
    float mx = 0.0f, my = 0.0f;
    MousePosition(mx, my);
    // Over the lists a held prop waits: another strip may replace it.
    if (m_heldPropType && IsMouseOverPreview())
    {
        GUI_TaskEditorTile* tile = nullptr;
        int index = -1;
        if (FindNearestSubTile(tile, index))
            tile->PlaceProp(m_heldPropType, index);
        m_heldPropType = nullptr;
        return;
    }
    if (GGameServices::Get().WindowsLeftDown())
        return;
    if (ClickChildren())
        return;
    if (m_hoveredProp)
    {
        m_hoveredProp->Rotate();
        return;
    }
    if (!GUI_WindowManager::Instance().HasModal())
        (void)GUI_WindowBase::OnClick(mx, my);
}

void GUI_TaskEditor::OnRightDown()
{
    m_heldPropType = nullptr;
    if (m_hoveredProp && m_hoveredTile)
    {
        m_hoveredTile->RemoveProp(m_hoveredProp);
        m_hoveredProp = nullptr;
    }
    float mx = 0.0f, my = 0.0f;
    MousePosition(mx, my);
    (void)GGameServices::Get().WindowsRightDown();
    (void)GUI_WindowBase::OnRightClick(mx, my);
}

void GUI_TaskEditor::Enter()
{
    m_heldPropType = nullptr;
}

void GUI_TaskEditor::Exit()
{
    // The dialog belongs to this screen and must not stay over the next one; the definitions
    // the editor points into may be read again by a new game.
    Release();
}

void GUI_TaskEditor::OnWheelUp()
{
    GGameServices::Get().WindowsWheel(true);
    GUI_WindowBase::OnWheelUp();
}

void GUI_TaskEditor::OnWheelDown()
{
    GGameServices::Get().WindowsWheel(false);
    GUI_WindowBase::OnWheelDown();
}
