// Every text key the game looks up, in one list.
#include "engine/core/GTextKeys.h"

#include <iterator>

namespace
{
template <size_t N>
void AppendKeys(std::vector<std::string>& keys, const char* const (&table)[N])
{
    for (const char* key : table)
        if (key[0] != '\0')
            keys.emplace_back(key);
}
} // namespace

const std::vector<std::string>& GTextKeys::All()
{
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all;
        AppendKeys(all, kSlotStates);
        AppendKeys(all, kSlotNotices);
        AppendKeys(all, kCarNotices);
        AppendKeys(all, kFinanceCategories);
        AppendKeys(all, kUpgradeEffects);
        for (const char* key : {kUpgradeSeconds, kUnlockedSlot, kUnlockedFacility, kUnlockedUpgrade, kUnlockedExpansion,
                                kDefaultDesignName, kLoadingSimulation, kCheckingUpdates, kLoadItemsLeftOut})
            all.emplace_back(key);
        AppendKeys(all, kUnlockedFactoryVariables);
        AppendKeys(all, kSaveStages);
        AppendKeys(all, kLoadStages);
        AppendKeys(all, kScreenKeys);
        return all;
    }();
    return keys;
}
