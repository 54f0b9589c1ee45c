// Keeps the process in the "C" locale.
#include "platform/core/PLocale.h"

#include <clocale>
#include <cstring>

void PLocale::ForceC()
{
    setlocale(LC_ALL, "C");
}

bool PLocale::IsC()
{
    const char* name = setlocale(LC_NUMERIC, nullptr);
    return name && (strcmp(name, "C") == 0 || strcmp(name, "POSIX") == 0);
}
