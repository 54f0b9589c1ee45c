// The tech tree of the research screen.
#include "gui/screens/research/GUI_TechTree.h"

#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "gui/screens/research/GUI_TechTreeEntry.h"
#include "gui/screens/research/TechTreeLayout.h"
#include "gui/toolkit/widgets/GUI_ScrollingWindow.h"
#include "platform/video/PGraphicsDevice.h"
#include "sim/research/SIM_ResearchManager.h"
#include "sim/research/SIM_Researchable.h"

#include <unordered_map>

GUI_TechTree::GUI_TechTree()
{
    s_single.Claim(this);
}

GUI_TechTree::~GUI_TechTree()
{
    // The entries leave the sub-window list before they go, so nothing is freed twice.
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
        RemoveSubWindow(entry.get());
    m_entries.clear();
    s_single.Release(this);
}

void GUI_TechTree::Build()
{
    m_viewport = PRect{m_left + 4, m_top + 4, m_right - 24, m_bottom - 24};
    m_vertical = CreateSubWindow<GUI_ScrollingWindow>(true);
    m_vertical->SetRect(static_cast<float>(m_viewport.right + 4), static_cast<float>(m_viewport.top + 4),
                        static_cast<float>(m_right - 4), static_cast<float>(m_viewport.bottom - 4));
    m_horizontal = CreateSubWindow<GUI_ScrollingWindow>(false);
    m_horizontal->SetRect(static_cast<float>(m_viewport.left), static_cast<float>(m_viewport.bottom + 4),
                          static_cast<float>(m_viewport.right), static_cast<float>(m_bottom - 4));
    m_contentWidth = 0.0f;
    m_contentHeight = 0.0f;
    CreateEntries();
}

void GUI_TechTree::CreateEntries()
{
    DebugAssert(m_entries.empty(), "GUI_TechTree", 131);
    if (!m_entries.empty())
        return;
    const std::vector<SIM_Researchable*>& items = SIM_ResearchManager::Instance().GetItems();
    const TechTreeLayout::Result layout = TechTreeLayout::Compute(items);
    std::unordered_map<const SIM_Researchable*, GUI_TechTreeEntry*> byItem;
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (layout.columns[i] < 0)
            continue;
        auto entry = std::make_unique<GUI_TechTreeEntry>(items[i]);
        entry->SetGridCell(layout.columns[i], layout.rows[i]);
        entry->SetClip(&m_viewport);
        entry->SetClippedByParent(true);
        byItem[items[i]] = entry.get();
        m_entries.push_back(std::move(entry));
    }
    // Each entry keeps its prerequisite's entry, so the connectors need no search per frame.
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
    {
        const auto found = byItem.find(entry->GetItem()->m_prerequisite);
        entry->SetPrerequisiteEntry(found != byItem.end() ? found->second : nullptr);
    }
    m_contentHeight = layout.contentHeight;
    PositionEntries();
}

GUI_TechTreeEntry* GUI_TechTree::FindEntry(const SIM_Researchable* item) const
{
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
        if (entry->GetItem() == item)
            return entry.get();
    return nullptr;
}

void GUI_TechTree::RefreshEntries()
{
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
        entry->Refresh();
}

void GUI_TechTree::PositionEntries()
{
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
        RemoveSubWindow(entry.get());
    const int x0 = m_viewport.left + TechTreeLayout::kInset;
    const int y0 = m_viewport.top + TechTreeLayout::kInset;
    const int offsetX = m_horizontal ? m_horizontal->GetFirstRow() * TechTreeLayout::kColumnPitch : 0;
    const int offsetY = m_vertical ? m_vertical->GetFirstRow() * TechTreeLayout::kRowPitch : 0;
    int maxColumn = 0;
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
    {
        maxColumn = std::max(maxColumn, entry->GetColumn());
        const int x = entry->GetColumn() * TechTreeLayout::kColumnPitch + x0 - offsetX;
        const int y = entry->GetRow() * TechTreeLayout::kRowPitch + y0 - offsetY;
        entry->SetRect(static_cast<float>(x), static_cast<float>(y),
                       static_cast<float>(x + TechTreeLayout::kEntryWidth),
                       static_cast<float>(y + TechTreeLayout::kEntryHeight));
        entry->Refresh();
        if (TechTreeLayout::IsVisible(m_viewport,
                                      PRect{x, y, x + TechTreeLayout::kEntryWidth, y + TechTreeLayout::kEntryHeight}))
            AttachSubWindow(entry.get());
    }
    m_contentWidth = static_cast<float>((maxColumn + 1) * TechTreeLayout::kColumnPitch);

    const TechTreeLayout::Scroll rows =
        TechTreeLayout::ScrollRange(m_contentHeight, m_viewport.bottom - m_viewport.top, TechTreeLayout::kRowPitch);
    const TechTreeLayout::Scroll columns =
        TechTreeLayout::ScrollRange(m_contentWidth, m_viewport.right - m_viewport.left, TechTreeLayout::kColumnPitch);
    if (m_vertical)
        m_vertical->SetRows(rows.total, rows.visible, rows.maxFirst);
    if (m_horizontal)
        m_horizontal->SetRows(columns.total, columns.visible, columns.maxFirst);
}

void GUI_TechTree::Draw()
{
    if (m_vertical && m_vertical->IsChanged())
    {
        PositionEntries();
        m_vertical->ClearChanged();
    }
    if (m_horizontal && m_horizontal->IsChanged())
    {
        PositionEntries();
        m_horizontal->ClearChanged();
    }
    GD3DDevice& device = GD3DDevice::Instance();
    device.DrawRectLines(m_viewport, 0xFFFFFFFFu);

    // Entries are cut to the viewport without being scaled: the clip keeps screen coordinates.
    PGraphicsDevice* graphics = device.GetDevice();
    const PViewport full = device.GetViewport();
    if (graphics)
    {
        PViewport clip;
        clip.x = static_cast<uint32_t>(std::max(0, m_viewport.left));
        clip.y = static_cast<uint32_t>(std::max(0, m_viewport.top));
        clip.width = static_cast<uint32_t>(std::max(0, m_viewport.right - m_viewport.left));
        clip.height = static_cast<uint32_t>(std::max(0, m_viewport.bottom - m_viewport.top));
        const PResult result = graphics->SetViewport(clip);
        if (result != PRES_OK)
            LogD3DError(result, "CliViewport");
    }

    // The connectors are plain white quads: nothing may stay bound from the text drawn before.
    GVertexBuffer& batch = SharedVertexBatch();
    batch.SetTexture(nullptr);
    for (const std::unique_ptr<GUI_TechTreeEntry>& entry : m_entries)
        entry->DrawConnector();
    if (batch.GetQueuedCount() > 0)
    {
        GTextureManager::Instance().BindTexture(nullptr);
        batch.Flush();
    }
    for (GUI_WindowBase* sub : GetSubWindows())
        if (sub != m_vertical && sub != m_horizontal && sub->IsVisible())
            sub->Draw();

    if (graphics)
        graphics->SetViewport(full);
    if (m_vertical)
        m_vertical->Draw();
    if (m_horizontal)
        m_horizontal->Draw();
}

void GUI_TechTree::OnWheelUp()
{
    if (!IsMouseOver() || !m_vertical)
        return;
    m_vertical->SetFirstRow(m_vertical->GetFirstRow() - 1);
}

void GUI_TechTree::OnWheelDown()
{
    if (!IsMouseOver() || !m_vertical)
        return;
    m_vertical->SetFirstRow(m_vertical->GetFirstRow() + 1);
}
