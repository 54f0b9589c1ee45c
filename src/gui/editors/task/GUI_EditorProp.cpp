// A prop of the edited task layout.
#include "gui/editors/task/GUI_EditorProp.h"

#include "engine/GGameServices.h"
#include "engine/GShaderEffect.h"
#include "engine/GUI_ShaderManager.h"
#include "gui/editors/task/GUI_TaskEditor.h"
#include "gui/editors/task/GUI_TaskEditorTile.h"
#include "gui/toolkit/windows/GUI_Cursor.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/TaskPropDef.h"
#include "sim/world/SIM_SubTiles.h"

#include <algorithm>
#include <utility>

GUI_EditorProp::GUI_EditorProp(GUI_TaskEditorTile* tile, TaskPropDef* record)
    : m_type(record->propType), m_tile(tile), m_subTile(record->position), m_record(record)
{
    if (m_type)
        ApplyFacingPicture(m_sprite, *m_type, record->facing);
}

void GUI_EditorProp::ApplyFacingPicture(CTexturedSprite& sprite, const SIM_Prop& type, int facing)
{
    const int index = TextureIndexForFacing(facing);
    GUI_TaskEditorTile::SetSpritePicture(sprite, type.GetTextureName(index));
    if (type.m_spriteFlags[index] != 0)
    {
        std::swap(sprite.m_vertices[0].u, sprite.m_vertices[1].u);
        std::swap(sprite.m_vertices[2].u, sprite.m_vertices[3].u);
    }
}

void GUI_EditorProp::Layout()
{
    if (!m_type || !m_tile)
        return;
    const float scale = GUI_TaskEditor::Instance().GetScale();
    m_sprite.m_height = m_type->m_height * scale;
    m_sprite.m_width = m_type->m_width * scale;
    const SubTileOffset offset = GetSubTileOffset(m_subTile, 1);
    const float baseX = m_tile->GetX() + offset.x * scale;
    const float baseY = m_tile->GetY() + offset.y * scale + 32.0f * scale;
    // Tall machines stand as if they were 128 units tall, so they reach up instead of sinking.
    m_x = baseX;
    m_y = baseY + std::min(m_type->m_height, 128.0f) * scale / 4.0f - m_sprite.m_height / 2.0f;
    m_sprite.SetPosition(m_x, m_y);
    SetBounds(m_x - m_sprite.m_width / 2.0f, m_y - m_sprite.m_height / 2.0f, m_x + m_sprite.m_width / 2.0f,
              m_y + m_sprite.m_height / 2.0f);
}

void GUI_EditorProp::Rotate()
{
    if (!m_record || !m_type)
        return;
    m_record->facing = (m_record->facing + 1) % 4;
    ApplyFacingPicture(m_sprite, *m_type, m_record->facing);
    m_sprite.SetPosition(m_x, m_y);
    GGameServices::Get().PlaySound("select.ogg");
}

void GUI_EditorProp::MarkRemoved()
{
    m_removed = true;
    m_record = nullptr;
}

void GUI_EditorProp::Update()
{
    GUI_WindowBase::Update();
    if (IsMouseOver())
        GUI_Cursor::Instance().RequestHandCursor();
}

void GUI_EditorProp::Draw()
{
    if (!m_type)
        return;
    const GUI_TaskEditor& editor = GUI_TaskEditor::Instance();
    GShaderEffect* effect = nullptr;
    if (editor.GetHoveredProp() == this && !editor.GetHeldPropType())
        effect = GUI_ShaderManager::Instance().FindShader("highlight_sprite.fx");
    if (effect)
        effect->Begin();
    m_sprite.Draw();
    if (effect)
        effect->End();
}
