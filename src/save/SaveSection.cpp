// The list of savegame sections the save and the load both walk.
#include "save/SaveSection.h"

#include "save/ConveyorsSection.h"
#include "save/DesignsSection.h"
#include "save/EfficiencySection.h"
#include "save/FinancesSection.h"
#include "save/GameSection.h"
#include "save/ResearchSection.h"
#include "save/ResourceObjectsSection.h"
#include "save/SalesSection.h"
#include "save/SaveLoadContext.h"
#include "save/SlotsSection.h"
#include "save/StockSection.h"
#include "save/StockpilesSection.h"
#include "save/VehiclesSection.h"
#include "sim/slots/SIM_Placement.h"

#include <array>

namespace
{
// The sections that need only the reader.
template <void (*Read)(SaveReader&)>
void ReadPlain(SaveLoadContext& context)
{
    Read(context.reader);
}

void ReadConveyors(SaveLoadContext& context)
{
    ConveyorsSection::Read(context.reader);
    // The floor's conveyors are all down: they join up, and routes and nearest bays are found afresh.
    SIM_Placement::FinishLoading();
}

// The text keys are the ones the loading screen has always shown; "LS_SAING_RESOURCES" is spelt
// as the text table spells it.
constexpr std::array<SaveSection, 15> kSections{{
    {"zones", GameSection::WriteZones, ReadPlain<GameSection::ReadZones>, nullptr, 0.0f, nullptr, 0.0f},
    {"slots", SlotsSection::WriteSlots, ReadPlain<SlotsSection::ReadSlots>, "LS_SAVING_SLOTS", 0.20f,
     "LS_LOADING_SLOTS", 0.20f},
    {"facilities", SlotsSection::WriteFacilities, ReadPlain<SlotsSection::ReadFacilities>, "LS_SAVING_FACILITIES",
     0.30f, "LS_LOADING_FACILITIES", 0.25f},
    {"vehicles", VehiclesSection::Write, ReadPlain<VehiclesSection::Read>, "LS_SAVING_VEHICLES", 0.35f,
     "LS_LOADING_VEHICLES", 0.30f},
    {"conveyors", ConveyorsSection::Write, ReadConveyors, "LS_SAVING_CONVEYORS", 0.40f, "LS_LOADING_CONVEYORS", 0.33f},
    {"resources", ResourceObjectsSection::Write, ResourceObjectsSection::Read, "LS_SAING_RESOURCES", 0.45f,
     "LS_LOADING_RESOURCES", 0.35f},
    {"stockpiles", StockpilesSection::WriteStockpiles, StockpilesSection::ReadStockpiles, "LS_SAVING_STOCKPILES", 0.50f,
     "LS_LOADING_STOCKPILES", 0.40f},
    {"component stockpiles", StockpilesSection::WriteComponentStockpiles, StockpilesSection::ReadComponentStockpiles,
     "LS_SAVING_COMPONENT_STOCKPILES", 0.60f, "LS_LOADING_COMPONENT_STOCKPILES", 0.45f},
    {"supply stockpiles", StockpilesSection::WriteSupplyStockpiles, StockpilesSection::ReadSupplyStockpiles,
     "LS_SAVING_SUPPLY_STOCKPILES", 0.65f, "LS_LOADING_SUPPLY_STOCKPILES", 0.50f},
    {"research", ResearchSection::Write, ReadPlain<ResearchSection::Read>, "LS_SAVING_RESEARCH", 0.70f,
     "LS_LOADING_RESEARCH", 0.55f},
    {"designs", DesignsSection::Write, ReadPlain<DesignsSection::Read>, "LS_SAVING_VEHICLE_DESIGNS", 0.75f,
     "LS_LOADING_VEHICLE_DESIGNS", 0.60f},
    {"finances", FinancesSection::Write, ReadPlain<FinancesSection::Read>, "LS_SAVING_FINANCES", 0.80f,
     "LS_LOADING_FINANCES", 0.65f},
    {"sales", SalesSection::Write, ReadPlain<SalesSection::Read>, "LS_SAVING_RECORDS", 0.85f, "LS_LOADING_RECORDS",
     0.70f},
    {"stock", StockSection::Write, ReadPlain<StockSection::Read>, "LS_SAVING_STOCK", 0.90f, "LS_LOADING_STOCK", 0.80f},
    {"efficiency", EfficiencySection::Write, ReadPlain<EfficiencySection::Read>, nullptr, 0.0f, nullptr, 0.0f},
}};
} // namespace

std::span<const SaveSection> SaveSection::All()
{
    return kSections;
}
