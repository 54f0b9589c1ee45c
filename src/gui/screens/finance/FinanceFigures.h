// The figures the finance screens read from the ledger and the sales records, in one place: the
// three periods (last hour, last 24 hours, all time), the expense categories shown, and the
// scaling of values onto a graph's height. Main thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class SIM_VehicleDesign;

namespace FinanceFigures
{
constexpr int kPeriods = 3;
// The hours asked for each period; -1 is all time.
constexpr int kPeriodHours[kPeriods] = {1, 24, -1};
// Every expense category the player sees, in order. Sales are booked as category 4, so it is no
// expense and never shown as one.
constexpr int kExpenseCategories[] = {0, 1, 2, 3, 5, 6, 7, 8, 9};
constexpr int kExpenseCategoryCount = 9;

// What was spent in the category (FC_ALL_EXPENSES for every expense) over the period. The ledger
// counts one hour more than the sales records for the same hours; the screens ask it for one hour
// fewer, so the last hour and the last 24 hours mean the same hours for costs and sales, and a
// profit compares like with like.
float Expenses(int period, int category);
float Income(const SIM_VehicleDesign* design, int period);
int Sold(const SIM_VehicleDesign* design, int period);

// The category's colour as alpha << 24 | red << 16 | green << 8 | blue.
uint32_t CategoryArgb(int category);
// The text of the category's name.
std::string CategoryName(int category);

// Where a value lies between bottom and top as a fraction of the height. A value outside the
// range is reported once per call through the game's check log (outOfRange tells the caller) and
// drawn at the nearer edge.
float Scale(float value, float bottom, float top, bool& outOfRange);
// Scales every value; reports at most once however many lie outside.
void ScaleAll(std::span<const float> values, std::span<float> scaled, float bottom, float top);
} // namespace FinanceFigures
