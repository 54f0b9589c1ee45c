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

bool InvalidateRoutesAround(const std::vector<SIM_Tile*>& changed, std::vector<SIM_Tile*>* goals)
{
    PTraceSpan span("InvalidateRoutes");
    std::vector<SIM_Tile*> forgotten;
    const bool some = RouteTable::Instance().ForgetAround(changed, &forgotten);
    // With everything forgotten, every store's requests are checked.
    SIM_ResourceObjManager::Instance().RerouteLost(some ? &forgotten : nullptr);
    if (goals)
        goals->insert(goals->end(), forgotten.begin(), forgotten.end());
    return some;
}
