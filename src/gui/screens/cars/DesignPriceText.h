// The texts that compare a car's price with its design's value, shared by the car stock rows and
// the new-design price panel.
#pragma once

#include <string>

namespace DesignPriceText
{
// "%.2f%%" of (price - value) / value x 100; "0.00%" for a design worth nothing, whose premium
// has no meaning (and would divide by zero).
std::string Percentage(float price, float value);
// "$ 1,200 (20.00%)": the money text of price - value and the percentage.
std::string Premium(float price, float value);
// The prefix, then an amount without its fraction grouped by thousands: "$1,234" or "$ 1,234".
std::string WholeAmount(const char* prefix, float amount);
} // namespace DesignPriceText
