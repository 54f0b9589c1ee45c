// The shared slot-view record.
#include "gui/factory/slots/GUISlotList.h"

GUISlotList& GUISlotList::Instance()
{
    // Never destroyed: slot views still alive at exit leave it from their destructors.
    static auto* list = new GUISlotList();
    return *list;
}
