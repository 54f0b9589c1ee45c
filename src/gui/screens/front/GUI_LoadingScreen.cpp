// The loading screen.
#include "gui/screens/front/GUI_LoadingScreen.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>

GUI_LoadingScreen& GUI_LoadingScreen::Instance()
{
    return GLifetime::Get<GUI_LoadingScreen>();
}

GUI_LoadingScreen::GUI_LoadingScreen()
{
    m_logo.SetTextureName("logo.png");
    m_gear.SetByName("loading_gear.dds");
}

void GUI_LoadingScreen::Layout()
{
    // The pictures are looked up again: the screen outlives graphics devices made and dropped
    // since it was last shown.
    m_logo.SetTextureName("logo.png");
    m_gear.SetByName("loading_gear.dds");
    const float cx = static_cast<float>(GScreenSize::Width()) * 0.5f;
    const float cy = static_cast<float>(GScreenSize::Height()) * 0.5f;
    m_logo.m_width = 500.0f;
    m_logo.m_height = 282.0f;
    m_logo.SetPosition(cx, cy);
    float lowest = m_logo.m_vertices[0].y;
    for (const PVertex& v : m_logo.m_vertices)
        lowest = std::max(lowest, v.y);
    const float y = lowest + 20.0f + kCellSize / 2.0f;
    float x = cx - 512.0f + kCellSize / 2.0f;
    for (BaseSprite& cell : m_cells)
    {
        cell.m_width = kCellSize;
        cell.m_height = kCellSize;
        cell.SetPosition(x, y);
        x += kCellSize;
    }
}

int GUI_LoadingScreen::FilledCells(float progress)
{
    int filled = 0;
    for (int i = 0; i < kCellCount; ++i)
        if (progress >= static_cast<float>(i) * 0.03125f)
            ++filled;
    return filled;
}

float GUI_LoadingScreen::TextTop() const
{
    return m_cells[0].m_vertices[2].y + 10.0f;
}

void GUI_LoadingScreen::ShowStage(const std::string& textKey, float progress)
{
    GD3DDevice& device = GD3DDevice::Instance();
    // A save made by the game's autosave or its save key runs inside the game's own frame: the
    // stage is drawn within that frame's scene, which is neither begun again nor ended here.
    const bool ownScene = !device.IsInScene();
    if (ownScene)
        device.BeginFrame();
    FrontEnd::ClearScreen(FrontEnd::kClearColour);
    m_logo.Draw();

    GVertexBuffer& batch = SharedVertexBatch();
    batch.SetTexture(&m_gear);
    for (int i = 0; i < kCellCount; ++i)
    {
        const uint32_t colour = progress >= static_cast<float>(i) * 0.03125f ? kCellDone : kCellToDo;
        for (PVertex& v : m_cells[i].m_vertices)
            v.colour = colour;
        m_cells[i].AddToBatch();
    }
    batch.Flush();

    GFontManager& fonts = GFontManager::Instance();
    GUI_Fonts::SelectSemibold16();
    fonts.Print(GTextTable::GetText(textKey), 0xFF000000u, 0.0f, TextTop(), static_cast<float>(GScreenSize::Width()),
                2);
    fonts.Flush();
    if (ownScene)
        device.EndFrame();
    device.Present();
}
