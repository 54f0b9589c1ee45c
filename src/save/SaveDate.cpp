// The local wall-clock date of a save.
#include "save/SaveDate.h"

#include <ctime>

SaveDate SaveDate::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    SaveDate date;
    date.day = local.tm_mday;
    date.month = local.tm_mon + 1;
    date.year = local.tm_year + 1900;
    date.hour = local.tm_hour;
    date.minute = local.tm_min;
    return date;
}
