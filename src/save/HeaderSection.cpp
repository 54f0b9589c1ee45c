// Header and load-date sections.
#include "save/HeaderSection.h"

#include "engine/core/GStringUtils.h"
#include "save/SaveDate.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"

std::string HeaderSection::FormatDate(const SaveDate& date)
{
    return FormatString("%d/%d/%d (DD-MM-YYYY) - %d:%s", date.day, date.month, date.year, date.hour,
                        IntToStringPad2(date.minute).c_str());
}

void HeaderSection::Write(SaveWriter& out, const std::string& version, const SaveDate& date)
{
    out.Open("header");
    out.Text("version", version);
    out.Close("header");
    out.Open("load_data");
    out.Text("date", FormatDate(date));
    out.Close("load_data");
}

bool HeaderSection::Skip(SaveReader& in)
{
    // The version is not compared: saves of other versions load all the same.
    return in.FindTag("header") && in.FindClosing("header") && in.FindTag("load_data") && in.FindClosing("load_data");
}

bool HeaderSection::Peek(SaveReader& in, std::string& date, std::string& mission)
{
    if (!in.FindTag("load_data"))
        return false;
    std::string readDate = in.Name("date");
    if (!in.FindTag("game"))
        return false;
    std::string readMission = in.Name("mission");
    if (in.HadError())
        return false;
    date = std::move(readDate);
    mission = std::move(readMission);
    return true;
}
