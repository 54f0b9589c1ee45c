// The market's demand factor: how much buyers are willing to pay, falling as more cars are sold.
#pragma once

// The factor, 0..1; it scales the value buyers see in a car. 1.0 until first computed.
float& DemandFactor();
// Recomputes the factor from the cars sold in the current game hour and the 7 before it:
// none gives 1.0, 100 give 0.6, 250 or more give 0.0.
void UpdateDemandFactor(float* factor);
