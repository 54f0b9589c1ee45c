// Designs section.
#include "save/DesignsSection.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/PRandom.h"
#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/definitions/SIM_VehicleComponentType.h"
#include "sim/definitions/SIM_VehicleComponentTypeManager.h"
#include "sim/definitions/SIM_VehicleFeature.h"
#include "sim/definitions/SIM_VehicleFeatureManager.h"
#include "sim/definitions/VehicleColor.h"
#include "sim/vehicles/SIM_CarExporter.h"
#include "sim/vehicles/SIM_VehicleDesign.h"
#include "sim/vehicles/SIM_VehicleDesignManager.h"
#include "sim/vehicles/SIM_VehicleFeatureRecord.h"

namespace
{
// A colour of the car palette, drawn with the game's 15-bit generator (0..32767, as the index
// formula expects); white when the palette is empty.
VehicleColor PaletteColour()
{
    std::vector<VehicleColor>& colours = GetVehicleColors();
    if (colours.empty())
        LoadVehicleColors();
    const int draw = PRandom::Rand();
    if (colours.empty())
        return VehicleColor();
    const size_t index = static_cast<size_t>(draw / 32768.0 * static_cast<double>(colours.size()));
    return colours[index < colours.size() ? index : colours.size() - 1];
}

// The sale price of a design as the file holds it, when the game could have set it. The price
// sliders run from half to twice the design's worth (the other way round for a design worth less
// than nothing), and a worth changes with the fitted upgrades and the data, so a price above the
// range still sells; one below zero, though, sells every car at once and takes money for each.
// Such a price, and one that cannot be read, becomes the design's worth: the price the new-design
// dialog offers, inside every range the sliders had, neither given away nor never sold.
double ReadPrice(SaveReader& in, std::string_view text, const SIM_VehicleDesign& design)
{
    const double worth = SIM_VehicleDesign::GetDesignValue(&design);
    const double lowest = std::min(0.0, 2.0 * worth);
    double price = worth;
    in.CheckedReal("design [" + savetext::Quote(design.m_name) + "] saleprice", text, lowest, savetext::kMaxReal, worth,
                   price);
    return price;
}
} // namespace

void DesignsSection::Write(SaveWriter& out)
{
    out.Open("designs");
    for (const SIM_VehicleDesign* design : SIM_VehicleDesignManager::Instance().GetDesigns())
    {
        out.Open("design");
        out.Real("saleprice", design->m_price);
        out.Text("guiname", design->m_name);
        out.Int("col_r", design->m_colour.r);
        out.Int("col_g", design->m_colour.g);
        out.Int("col_b", design->m_colour.b);
        std::string components;
        for (const SIM_VehicleComponentType* type : design->m_componentTypes)
            if (type)
                out.AppendName(components, type->m_name);
        out.List("components", components);
        out.Open("features");
        for (const SIM_VehicleFeatureRecord* record : design->m_featureRecords)
        {
            if (!record || !record->feature)
                continue;
            out.Open("feature");
            out.Text("name", record->feature->m_name);
            out.Close("feature");
        }
        out.Close("features");
        out.Close("design");
    }
    out.Close("designs");
}

void DesignsSection::Read(SaveReader& in)
{
    SIM_VehicleDesignManager::Instance().Clear();
    in.BeginList("designs");
    while (in.NextItem("designs", "design"))
    {
        // Each design joins the manager's list as it is read, so designs come back in file order.
        SIM_VehicleDesign* design = SIM_VehicleDesignManager::Instance().Add(std::make_unique<SIM_VehicleDesign>());
        // The price is judged once the design's features tell what it is worth.
        const std::string_view priceText = in.Value("saleprice");
        design->m_name = in.Name("guiname");
        VehicleColor colour = PaletteColour();
        colour.r = std::clamp(in.Int("col_r"), 0, 255);
        colour.g = std::clamp(in.Int("col_g"), 0, 255);
        colour.b = std::clamp(in.Int("col_b"), 0, 255);
        design->m_colour = colour;
        SaveCommaList components(in.Value("components"));
        while (components.HasNext())
        {
            const std::string& name = in.NextName(components, "vehicle component type");
            if (name.empty())
                continue;
            if (SIM_VehicleComponentType* type = SIM_VehicleComponentTypeManager::Instance().GetComponentType(name))
                design->m_componentTypes.push_back(type);
            else
                in.ReportBadValue("Failed to find vehicle component type:[" + savetext::Quote(name) + "] in [" +
                                  savetext::Quote(design->m_name) + "]");
        }
        in.BeginList("features");
        while (in.NextItem("features", "feature"))
        {
            const std::string name = in.Name("name");
            in.EndItem("feature");
            // Every user of a design's features expects each entry to name one.
            if (SIM_VehicleFeature* feature = SIM_VehicleFeatureManager::Instance().FindFeature(name))
                SIM_CarExporter::AddDesignFeature(design, feature);
            else
                in.LogDropped("Save game: design feature " + savetext::Quote(name) + " unknown; left out");
        }
        in.EndItem("design");
        design->m_price = static_cast<float>(ReadPrice(in, priceText, *design));
    }
}
