// The factory's cash, the payment rule, the hourly settlement and the money text.
#include "sim/money/SIM_FinanceManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringUtils.h"
#include "sim/SIM_Presentation.h"
#include "sim/money/SIM_FinanceObject.h"
#include "sim/world/SIM_Factory.h"
#include "sim/world/SIM_Mission.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace
{
// Namespace-scope objects are built before main() runs, so this is the main thread. Screen effects
// of a payment made on a worker thread are queued for it instead of being run on the worker.
const std::thread::id g_financeMainThread = std::this_thread::get_id();
}

SIM_FinanceManager& SIM_FinanceManager::Instance()
{
    return GLifetime::Get<SIM_FinanceManager>();
}

SIM_FinanceManager::SIM_FinanceManager() = default;

SIM_FinanceManager::~SIM_FinanceManager() = default;

void SIM_FinanceManager::StartGame(const SIM_Mission* mission)
{
    if (!mission)
    {
        DebugAssert(false, "SIM_FinanceManager", 28);
        return;
    }
    StartGameWithCash(static_cast<float>(mission->m_startingCash));
}

void SIM_FinanceManager::StartGameWithCash(float startingCash)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_cash = startingCash;
    for (float& b : m_balances)
        b = startingCash;
    m_gameOver = false;
}

void SIM_FinanceManager::ChangeCashLocked(float change, int category, float booked, Effects& effects)
{
    m_cash += change;
    if (category != FC_NONE)
        SIM_FinanceRecord::Instance().StoreRecordNow(category, booked);
    effects.cashText = true;
    // Zero counts as used up. The game ends once: later payments in the same game (the rest of
    // the hourly settlement, the power bought while the dialog is up) do not end it again.
    if (change < 0.0f && 0.0f >= m_cash && !m_gameOver)
    {
        m_gameOver = true;
        effects.gameOver = true;
    }
}

void SIM_FinanceManager::Dispatch(const Effects& effects)
{
    if (!effects.cashText && !effects.gameOver)
        return;
    SIM_Presentation& door = SIM_Presentation::Instance();
    if (std::this_thread::get_id() == g_financeMainThread)
    {
        if (effects.cashText)
            door.Listener().UpdateCashText();
        if (effects.gameOver)
            door.Listener().ShowGameOver();
        return;
    }
    if (!door.HasListener())
        return;
    if (effects.cashText)
        door.Post([] { SIM_Presentation::Instance().Listener().UpdateCashText(); });
    if (effects.gameOver)
        door.Post([] { SIM_Presentation::Instance().Listener().ShowGameOver(); });
}

void SIM_FinanceManager::Pay(float amount, int category)
{
    Effects effects;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        ChangeCashLocked(-amount, category, amount, effects);
    }
    Dispatch(effects);
}

void SIM_FinanceManager::Receive(float amount, int category)
{
    Effects effects;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        ChangeCashLocked(amount, category, amount, effects);
    }
    Dispatch(effects);
}

void SIM_FinanceManager::ChargeRent(const SIM_Factory& floor)
{
    // Booked every hour, also when nothing is rented, and taken from the cash like any other
    // payment: a rent only written in the books would leave the ledger and the cash disagreeing.
    Pay(floor.ComputeHourlyRent(), FC_RENT);
}

void SIM_FinanceManager::ProcessHour()
{
    Effects effects;
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        for (SIM_FinanceObject* object : m_objects)
        {
            if (object->cost > 0.0f)
                ChangeCashLocked(-object->cost, FC_NONE, 0.0f, effects);
            if (object->income > 0.0f)
                ChangeCashLocked(object->income, FC_NONE, 0.0f, effects);
            object->PostHour();
        }
        for (int i = 0; i < NUM_BALANCES - 1; ++i)
            m_balances[i] = m_balances[i + 1];
        m_balances[NUM_BALANCES - 1] = m_cash;
    }
    Dispatch(effects);
}

std::string SIM_FinanceManager::FormatMoney(float amount)
{
    bool negative = amount < 0.0f;
    float m = std::fabs(amount);
    bool thousands = m >= 100000.0f;
    double whole = std::trunc(static_cast<double>(m));
    if (thousands)
        whole = std::trunc(whole / 1000.0);
    // Not a number would make the digits garbage.
    if (!(whole >= 0.0))
        whole = 0.0;
    whole = std::min(whole, 1e18);
    std::string digits = IntToStringWithCommas(static_cast<long long>(whole));
    char text[64];
    std::snprintf(text, sizeof(text), negative ? "$ -%s" : "$ %s", digits.c_str());
    std::string result = text;
    if (thousands)
        result += "k";
    return result;
}

float SIM_FinanceManager::GetCash() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_cash;
}

void SIM_FinanceManager::RestoreCash(float cash)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_cash = cash;
    m_gameOver = false;
}

void SIM_FinanceManager::GetBalances(float out[NUM_BALANCES]) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::copy(m_balances, m_balances + NUM_BALANCES, out);
}

void SIM_FinanceManager::RestoreBalances(const float in[NUM_BALANCES])
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::copy(in, in + NUM_BALANCES, m_balances);
}

bool SIM_FinanceManager::IsGameOver() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_gameOver;
}

void SIM_FinanceManager::RegisterObject(SIM_FinanceObject* object)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_objects.Add(object);
}

void SIM_FinanceManager::UnregisterObject(SIM_FinanceObject* object)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_objects.Remove(object);
}

size_t SIM_FinanceManager::GetObjectCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_objects.size();
}
