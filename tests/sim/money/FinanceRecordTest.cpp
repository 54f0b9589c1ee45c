// The money ledger: bookings by hour and category, the window queries, lazy purging, a full ledger.
#include "sim/SIM_Game.h"
#include "sim/money/SIM_FinanceRecord.h"

#include <gtest/gtest.h>

namespace
{
class LedgerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetCurrentHour(100);
        ledger().Reset();
    }
    void TearDown() override
    {
        ledger().Reset();
        SIM_Game::Instance().SetCurrentHour(0);
    }
    static SIM_FinanceRecord& ledger() { return SIM_FinanceRecord::Instance(); }
    static int UsedRecords()
    {
        int n = 0;
        for (const auto& r : ledger().records)
            n += r.used;
        return n;
    }
};

TEST_F(LedgerTest, SameHourAndCategoryShareOneRecord)
{
    ledger().StoreRecord(100, FC_RENT, 10.0f);
    ledger().StoreRecord(100, FC_RENT, 5.0f);
    EXPECT_EQ(UsedRecords(), 1);
    ledger().StoreRecord(100, FC_WAGES, 10.0f);
    ledger().StoreRecord(99, FC_RENT, 10.0f);
    EXPECT_EQ(UsedRecords(), 3);
    EXPECT_FLOAT_EQ(ledger().GetTotal(0, FC_RENT), 15.0f);
    EXPECT_FLOAT_EQ(ledger().GetTotal(-1, FC_RENT), 25.0f);
}

TEST_F(LedgerTest, WindowsCoverTheCurrentHourAndTheGivenHoursBefore)
{
    // Bookings at now, now-1, now-2, now-24, now-25 in one category, and sales income now.
    const struct
    {
        int hoursAgo;
        float amount;
    } bookings[] = {{0, 1.0f}, {1, 2.0f}, {2, 4.0f}, {24, 8.0f}, {25, 16.0f}};
    for (const auto& b : bookings)
        ledger().StoreRecord(100 - b.hoursAgo, FC_POWER_PURCHASE, b.amount);
    ledger().StoreRecord(100, FC_CAR_SALES, 1000.0f);

    const struct
    {
        int hours;
        int category;
        float expected;
    } cases[] = {
        {0, FC_POWER_PURCHASE, 1.0f},
        {1, FC_POWER_PURCHASE, 3.0f},
        {2, FC_POWER_PURCHASE, 7.0f},
        {24, FC_POWER_PURCHASE, 15.0f},
        {25, FC_POWER_PURCHASE, 31.0f},
        {-1, FC_POWER_PURCHASE, 31.0f},
        {1, FC_CAR_SALES, 1000.0f},
        // All expenses leave the sales income out, in windows and in the all-time totals.
        {24, FC_ALL_EXPENSES, 15.0f},
        {-1, FC_ALL_EXPENSES, 31.0f},
        {-1, FC_RENT, 0.0f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(ledger().GetTotal(c.hours, c.category), c.expected)
            << "hours " << c.hours << " category " << c.category;
}

TEST_F(LedgerTest, PurgeFreesOnlyHoursOlderThanTheKeptSpan)
{
    ledger().StoreRecord(76, FC_RENT, 1.0f); // now - 24: kept
    ledger().StoreRecord(75, FC_RENT, 1.0f); // now - 25: freed
    ledger().PurgeOldRecords();
    EXPECT_EQ(UsedRecords(), 1);
    SIM_Game::Instance().SetCurrentHour(101);
    ledger().PurgeOldRecords();
    EXPECT_EQ(UsedRecords(), 0);
    // The all-time total keeps what the records lost.
    EXPECT_FLOAT_EQ(ledger().GetTotal(-1, FC_RENT), 2.0f);
}

TEST_F(LedgerTest, FullLedgerPurgesOldHoursToMakeRoom)
{
    auto& rec = ledger().records;
    for (int i = 0; i < SIM_FinanceRecord::NUM_RECORDS; ++i)
    {
        rec[i].used = 1;
        rec[i].hour = i < 10 ? 50 : 100 - (i % 25);
        rec[i].category = FC_RAW_MATERIALS;
        rec[i].amount = 0.0f;
    }
    ledger().StoreRecord(100, FC_MARKETING, 7.0f);
    EXPECT_EQ(UsedRecords(), SIM_FinanceRecord::NUM_RECORDS - 10 + 1);
    EXPECT_EQ(rec[0].hour, 100);
    EXPECT_EQ(rec[0].category, FC_MARKETING);
    EXPECT_FLOAT_EQ(ledger().GetTotal(0, FC_MARKETING), 7.0f);
}

TEST_F(LedgerTest, BookingLostFromRecordsButKeptInTotalWhenEveryRecordIsRecent)
{
    // Every record holds one of the last 25 hours (the pairs repeat; only the fill matters here).
    auto& rec = ledger().records;
    for (int i = 0; i < SIM_FinanceRecord::NUM_RECORDS; ++i)
    {
        rec[i].used = 1;
        rec[i].hour = 100 - (i % 25);
        rec[i].category = FC_RAW_MATERIALS;
        rec[i].amount = 0.0f;
    }
    ledger().StoreRecord(100, FC_MARKETING, 7.0f);
    EXPECT_EQ(UsedRecords(), SIM_FinanceRecord::NUM_RECORDS);
    EXPECT_FLOAT_EQ(ledger().GetTotal(0, FC_MARKETING), 0.0f);
    EXPECT_FLOAT_EQ(ledger().GetTotal(-1, FC_MARKETING), 7.0f);
}

TEST_F(LedgerTest, CategoryOutsideTheTenIsRefused)
{
    for (int bad : {-1, 10, 11, 1000})
        ledger().StoreRecord(100, bad, 5.0f);
    EXPECT_EQ(UsedRecords(), 0);
    EXPECT_FLOAT_EQ(ledger().GetTotal(-1, FC_ALL_EXPENSES), 0.0f);
    EXPECT_FLOAT_EQ(ledger().GetTotal(-1, FC_CAR_SALES), 0.0f);
}

TEST_F(LedgerTest, ResetEmptiesEveryQuery)
{
    for (int c = 0; c < 10; ++c)
        ledger().StoreRecordNow(c, 1.0f + c);
    ledger().Reset();
    for (int hours : {-1, 0, 1, 24})
        for (int c = 0; c <= 10; ++c)
            EXPECT_FLOAT_EQ(ledger().GetTotal(hours, c), 0.0f);
}

TEST(LedgerLegend, CategoriesHaveTheirKeysAndColours)
{
    const auto& l = SIM_FinanceRecord::Instance();
    EXPECT_EQ(l.textKeys[FC_RAW_MATERIALS], "FC_RAW_MATERIALS");
    EXPECT_EQ(l.textKeys[FC_CAR_SALES], "");
    EXPECT_EQ(l.textKeys[FC_REPAIRS], "FC_REPAIRS");
    EXPECT_EQ(l.colours[FC_WAGES][0], 177);
    EXPECT_EQ(l.colours[FC_FINES][2], 192);
    EXPECT_EQ(l.colours[FC_RENT][3], 255);
}
} // namespace
