// The roll of the floor's slot views and stockpile floors.
#include "gui/factory/slots/SlotViewRoll.h"

#include "gui/factory/slots/GUI_SlotBase.h"
#include "gui/factory/slots/GUI_SlotExport.h"
#include "gui/factory/slots/GUI_SlotStockpile.h"
#include "gui/factory/slots/SlotTextLabel.h"

#include <algorithm>

namespace
{
// The few entries of a list made anew every frame.
template <class T>
void Drop(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

SlotViewRoll::~SlotViewRoll()
{
    for (GUI_SlotBase* view : m_slotViews.Members())
    {
        view->SetRoll(nullptr);
        view->SetTools(nullptr);
    }
    for (GUI_SlotStockpile* floor : m_stockpileFloors.Members())
        floor->SetRoll(nullptr);
    for (GUI_SlotExport* floor : m_exportFloors.Members())
        floor->SetRoll(nullptr);
}

void SlotViewRoll::Enter(GUI_SlotBase& view)
{
    view.SetRoll(this);
    view.SetTools(m_tools);
    m_slotViews.Join(&view, view.m_rollPlace);
}

void SlotViewRoll::Enter(GUI_SlotStockpile& floor)
{
    floor.SetRoll(this);
    m_stockpileFloors.Join(&floor, floor.m_rollPlace);
}

void SlotViewRoll::Enter(GUI_SlotExport& floor)
{
    floor.SetRoll(this);
    m_exportFloors.Join(&floor, floor.m_rollPlace);
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
    m_slotViews.Leave(view.m_rollPlace);
    Drop(m_nearCamera, &view);
    Drop(m_queuedLabels, view.GetLabel());
}

void SlotViewRoll::Leave(GUI_SlotStockpile& floor)
{
    m_stockpileFloors.Leave(floor.m_rollPlace);
}

void SlotViewRoll::Leave(GUI_SlotExport& floor)
{
    m_exportFloors.Leave(floor.m_rollPlace);
}
