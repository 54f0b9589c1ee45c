// The efficiency history: when the last sample was taken and the 256 samples (newest first), each
// with its time and the share of time the production slots spent in each state.
#pragma once

class SaveReader;
class SaveWriter;

class EfficiencySection
{
public:
    static void Write(SaveWriter& out);
    // The section may be absent (older saves): then the history stays as the game start left it.
    static void Read(SaveReader& in);
};
