// The two route invalidations: the table first, then the objects.
#include "sim/flow/InvalidateRoutes.h"

#include "platform/core/PTraceSpan.h"
#include "sim/flow/RouteTable.h"
#include "sim/flow/SIM_ResourceObjManager.h"

void InvalidateRoutes()
{
    PTraceSpan span("InvalidateRoutes");
    RouteTable::Instance().ClearAll();
    SIM_ResourceObjManager::Instance().RerouteAll();
}

void InvalidateRoutesAround(const std::vector<SIM_Tile*>& changed)
{
    PTraceSpan span("InvalidateRoutes");
    RouteTable::Instance().ForgetAround(changed);
    SIM_ResourceObjManager::Instance().RerouteLost();
}
