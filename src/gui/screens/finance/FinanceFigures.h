// The figures the finance screens read from the ledger and the sales records, in one place: the
// three periods (last hour, last 24 hours, all time), the expense categories shown, and the
// scaling of values onto a graph's height. Main thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

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
// What one car design earned and how many cars of it sold in each period.
struct DesignSales
{
    SIM_VehicleDesign* design = nullptr;
    float income[kPeriods] = {};
    int sold[kPeriods] = {};
};
// Every design of the design list, in its order, with its sales: one walk of the sales records
// per period however many designs there are, since the lists are rebuilt inside the frame in
// which a game hour ends.
std::vector<DesignSales> SalesOfEveryDesign();
// The income of every design over the period, added up in the order the income list adds it,
// so the summary and the list show the very same figure.
float TotalIncome(const std::vector<DesignSales>& sales, int period);

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
