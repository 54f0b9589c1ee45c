// The market's demand factor: how much buyers are willing to pay, falling as more cars are sold.
#pragma once

// The factor, 0..1; it scales the value buyers see in a car. 1.0 until first computed.
float& DemandFactor();
// Recomputes the factor from the cars sold in the current game hour and the 7 before it:
// none gives 1.0, 100 give 0.6, 250 or more give 0.0.
void UpdateDemandFactor(float* factor);
// The factor as the market set it when the current game hour began, from the cars sold in the 7
// hours before it: the cars sold since count from the next hour on. A load restores it so, and
// the loaded game sells at the prices the saved one did.
void RestoreDemandFactor(float* factor);
