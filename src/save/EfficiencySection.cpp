// Efficiency section.
#include "save/EfficiencySection.h"

#include <string>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/slots/SIM_Efficiency.h"

void EfficiencySection::Write(SaveWriter& out)
{
    const SIM_Efficiency& efficiency = SIM_Efficiency::Instance();
    out.Open("efficiency");
    out.Real("TimeLastSnapshot", efficiency.lastSampleTime);
    for (int i = 0; i < SIM_Efficiency::NUM_SAMPLES; ++i)
    {
        const SIM_Efficiency::Sample& sample = efficiency.samples[i];
        std::string value;
        SaveWriter::AppendInt(value, sample.valid ? 1 : 0);
        SaveWriter::AppendReal(value, sample.time, 6);
        // A load takes the last share as what the others leave; it is written that way too, from
        // the others as they are written, so saving a loaded game writes the same file.
        float rest = 1.0f;
        for (int s = 0; s < SIM_Efficiency::NUM_STATES - 1; ++s)
        {
            std::string share;
            savetext::AppendReal(share, sample.shares[s], 2);
            rest -= savetext::ParseFloat(share);
            value += share;
            value += ',';
        }
        SaveWriter::AppendReal(value, rest, 2);
        out.List(std::to_string(i), value);
    }
    out.Close("efficiency");
}

void EfficiencySection::Read(SaveReader& in)
{
    if (!in.NextTagIs("efficiency"))
        return;
    in.FindTag("efficiency");
    SIM_Efficiency& efficiency = SIM_Efficiency::Instance();
    efficiency.lastSampleTime = in.Float("TimeLastSnapshot");
    for (int i = 0; i < SIM_Efficiency::NUM_SAMPLES; ++i)
    {
        // The samples follow one another; a missing one ends them (the rest stay as they were).
        const std::string name = std::to_string(i);
        if (!in.NextTagIs(name))
        {
            in.ReportError("missing tag: " + name);
            break;
        }
        SIM_Efficiency::Sample& sample = efficiency.samples[i];
        SaveCommaList value(in.Value(name));
        sample.valid = value.NextInt() != 0 ? 1 : 0;
        sample.time = value.NextFloat();
        for (float& share : sample.shares)
            share = value.NextFloat();
    }
    // The last share is whatever the other six leave, so the shares always add up to one.
    for (SIM_Efficiency::Sample& sample : efficiency.samples)
    {
        float sum = 0.0f;
        for (int s = 0; s < SIM_Efficiency::NUM_STATES - 1; ++s)
            sum += sample.shares[s];
        sample.shares[SIM_Efficiency::NUM_STATES - 1] = 1.0f - sum;
    }
    in.FindClosing("efficiency");
}
