// The shared slot-view record.
#include "gui/factory/slots/GUISlotList.h"

#include "engine/core/GLifetime.h"

GUISlotList& GUISlotList::Instance()
{
    return GLifetime::Get<GUISlotList>();
}
