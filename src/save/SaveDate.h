// The local date and time a save is made, as the header records it.
#pragma once

struct SaveDate
{
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;

    // The wall clock of this machine, in local time.
    static SaveDate Now();
};
