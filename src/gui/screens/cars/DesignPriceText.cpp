// Price against value texts.
#include "gui/screens/cars/DesignPriceText.h"

#include "engine/core/GStringUtils.h"
#include "sim/money/SIM_FinanceManager.h"

#include <cmath>
#include <cstdio>

namespace DesignPriceText
{
std::string Percentage(float price, float value)
{
    double percent = 0.0;
    if (value != 0.0f)
        percent = (static_cast<double>(price) - static_cast<double>(value)) / static_cast<double>(value) * 100.0;
    if (!std::isfinite(percent))
        percent = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f%%", percent);
    return text;
}

std::string Premium(float price, float value)
{
    return SIM_FinanceManager::FormatMoney(price - value) + " (" + Percentage(price, value) + ")";
}

std::string WholeAmount(const char* prefix, float amount)
{
    // Not a number or out of range would make the digits garbage.
    double whole = std::trunc(static_cast<double>(amount));
    if (!(std::fabs(whole) < 1e18))
        whole = 0.0;
    return std::string(prefix) + IntToStringWithCommas(static_cast<long long>(whole));
}
} // namespace DesignPriceText
