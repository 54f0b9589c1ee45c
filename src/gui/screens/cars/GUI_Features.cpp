// The features list.
#include "gui/screens/cars/GUI_Features.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/cars/GUI_Feature.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "sim/vehicles/SIM_Vehicle.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

GUI_Features::GUI_Features(std::vector<const SIM_VehicleFeatureRecord*> records)
    : m_title(GTextTable::GetText("VEHICLE_FEATURES")), m_records(std::move(records))
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
}

std::vector<const SIM_VehicleFeatureRecord*> GUI_Features::RecordsOf(const SIM_Vehicle& car)
{
    std::vector<const SIM_VehicleFeatureRecord*> records;
    for (const auto& record : car.GetFeatureRecords())
        records.push_back(record.get());
    return records;
}

std::vector<const SIM_VehicleFeatureRecord*> GUI_Features::RecordsOf(const SIM_VehicleDesign& design)
{
    return std::vector<const SIM_VehicleFeatureRecord*>(design.m_featureRecords.begin(), design.m_featureRecords.end());
}

void GUI_Features::PlaceFrame()
{
    m_frame = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, 2);
    m_listRect = PRect{m_frame.left, m_frame.top + kRowHeight, m_frame.right, m_frame.bottom};
    if (m_listRect.bottom < m_listRect.top)
        m_listRect.bottom = m_listRect.top;
    m_bar->SetRect(static_cast<float>(m_frame.right - 20), static_cast<float>(m_frame.top + 5),
                   static_cast<float>(m_frame.right - 5), static_cast<float>(m_frame.bottom - 5));
}

void GUI_Features::Build()
{
    m_built = true;
    PlaceFrame();
    RebuildRows();
}

void GUI_Features::Layout()
{
    // The window manager lays every window out once as it opens; the rows come with Build.
    if (!m_built)
        return;
    PlaceFrame();
    LayoutRows();
}

void GUI_Features::RebuildRows()
{
    m_rows.clear();
    for (const SIM_VehicleFeatureRecord* record : m_records)
        m_rows.push_back(std::make_unique<GUI_Feature>(record));
    LayoutRows();
}

void GUI_Features::LayoutRows()
{
    ArrangeRows(*this, *this, m_listRect, kRowHeight);
    // A list that shows all its rows has nothing to scroll.
    m_bar->SetVisible(m_bar->GetTotalRows() > m_bar->GetVisibleRows());
}

void GUI_Features::Update()
{
    GUI_WindowBase::Update();
    FollowScrollBar();
}

void GUI_Features::OnWheelUp()
{
    if (IsMouseInRect(m_listRect))
        m_bar->StepUp();
}

void GUI_Features::OnWheelDown()
{
    if (IsMouseInRect(m_listRect))
        m_bar->StepDown();
}

void GUI_Features::Draw()
{
    FollowScrollBar();
    GD3DDevice::Instance().FillRect(m_frame, 0xFFBEBEBEu);
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
    {
        GUI_Fonts::SelectSemibold16();
        fonts.Print(m_title, 0xFF000000u, static_cast<float>(m_frame.left + 10), static_cast<float>(m_frame.top), 0.0f,
                    0);
    }
    DrawSubWindows();
    if (fonts.IsInitialised())
        fonts.Flush();
}
