// The factory's cash: the payment rule every payer goes through, the 24-hour cash history, the
// hourly settlement of recurring costs and incomes, game over when the money runs out, and the
// money text shown all over the game.
#pragma once

#include "sim/SIM_IndexedList.h"
#include "sim/money/SIM_FinanceObject.h"
#include "sim/money/SIM_FinanceRecord.h"

#include <mutex>
#include <string>
#include <vector>

class SIM_Factory;
class SIM_FinanceObject;
class SIM_Mission;

class SIM_FinanceManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int NUM_BALANCES = 24;

    static SIM_FinanceManager& Instance();

    SIM_FinanceManager();
    virtual ~SIM_FinanceManager();
    SIM_FinanceManager(const SIM_FinanceManager&) = delete;
    SIM_FinanceManager& operator=(const SIM_FinanceManager&) = delete;

    // Game set-up: cash and every hourly balance from the running mission's starting cash.
    void StartGame(const SIM_Mission* mission);
    // The same with an explicit starting cash (also used when no mission file is involved).
    void StartGameWithCash(float startingCash);

    // The payment rule. Every change of the cash goes through one of these, on any thread:
    // the cash changes and the ledger books the amount under the current hour in one step, so a
    // payment on a worker and a sale on the main thread in the same frame never lose an update.
    // The HUD cash text is refreshed, and after a payment that leaves the cash at 0 or below the
    // game is over (reported once per game). Effects on screens reach them on the main thread.
    //  Pay:     cash -= amount, books amount under an expense category.
    //  Receive: cash += amount, books amount under the category (FC_CAR_SALES for a sale).
    // A category of FC_NONE changes the cash without booking anything.
    void Pay(float amount, int category);
    void Receive(float amount, int category);
    // The hourly settlement of every finance object, then the cash history moves on one hour.
    void ProcessHour();
    // Books the floor's hourly rent (also when it is 0) as a rent record of the current hour.
    void ChargeRent(const SIM_Factory& floor);

    // "$ 1,234", "$ -50", "$ 100k": the money text of the whole game.
    static std::string FormatMoney(float amount);

    float GetCash() const;
    // Savegame reader: sets the cash as it was saved, without booking (the ledger is restored
    // separately), and arms the game-over test again.
    void RestoreCash(float cash);
    // Copy of the balances, index 0 the oldest hour, NUM_BALANCES - 1 the most recent.
    void GetBalances(float out[NUM_BALANCES]) const;
    void RestoreBalances(const float in[NUM_BALANCES]);
    // True once the money has run out in this game.
    bool IsGameOver() const;

    // Finance objects register and unregister themselves; the list never owns them.
    void RegisterObject(SIM_FinanceObject* object);
    void UnregisterObject(SIM_FinanceObject* object);
    size_t GetObjectCount() const;

private:
    struct Effects
    {
        bool cashText = false;
        bool gameOver = false;
    };
    // Changes the cash and books under the lock; reports which screen effects are due.
    void ChangeCashLocked(float change, int category, float booked, Effects& effects);
    static void Dispatch(const Effects& effects);

    mutable std::recursive_mutex m_lock;
    // In order of registration; an object joins and leaves in constant time.
    SIM_IndexedList<SIM_FinanceObject, &SIM_FinanceObject::m_listIndex> m_objects;
    float m_cash = 0.0f;
    float m_balances[NUM_BALANCES] = {};
    bool m_gameOver = false;
};
