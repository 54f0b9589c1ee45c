// The roll of the floor's slot views and stockpile floors.
#include "gui/factory/slots/SlotViewRoll.h"

#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/slots/GUI_SlotExport.h"
#include "gui/factory/slots/GUI_SlotStockpile.h"
#include "gui/factory/slots/SlotTextLabel.h"

#include <algorithm>

namespace
{
template <class T>
void Drop(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

SlotViewRoll::~SlotViewRoll()
{
    for (GUI_SlotBase* view : m_slotViews)
    {
        view->SetRoll(nullptr);
        view->SetTools(nullptr);
    }
    for (GUI_SlotStockpile* floor : m_stockpileFloors)
        floor->SetRoll(nullptr);
    for (GUI_SlotExport* floor : m_exportFloors)
        floor->SetRoll(nullptr);
}

void SlotViewRoll::Enter(GUI_SlotBase& view)
{
    view.SetRoll(this);
    view.SetTools(m_tools);
    m_slotViews.push_back(&view);
}

void SlotViewRoll::Enter(GUI_SlotStockpile& floor)
{
    floor.SetRoll(this);
    m_stockpileFloors.push_back(&floor);
}

void SlotViewRoll::Enter(GUI_SlotExport& floor)
{
    floor.SetRoll(this);
    m_exportFloors.push_back(&floor);
}

void SlotViewRoll::MarkNearCamera(GUI_SlotBase& view)
{
    if (view.GetRoll() != this || view.IsNearCamera())
        return;
    view.SetNearCamera(true);
    m_nearCamera.push_back(&view);
}

void SlotViewRoll::Leave(GUI_SlotBase& view)
{
    Drop(m_slotViews, &view);
    Drop(m_nearCamera, &view);
    Drop(m_queuedLabels, view.GetLabel());
}

void SlotViewRoll::Leave(GUI_SlotStockpile& floor)
{
    Drop(m_stockpileFloors, &floor);
}

void SlotViewRoll::Leave(GUI_SlotExport& floor)
{
    Drop(m_exportFloors, &floor);
}
