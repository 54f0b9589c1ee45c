// A presentation that counts what the money code asks of the screens.
#pragma once

#include "sim/SIM_Presentation.h"
#include "sim/SIM_PresentationListener.h"

#include <atomic>

class MoneyTestListener : public SIM_PresentationListener
{
public:
    MoneyTestListener() { SIM_Presentation::Instance().SetListener(this); }
    ~MoneyTestListener() override
    {
        SIM_Presentation::Instance().DiscardPosted();
        SIM_Presentation::Instance().SetListener(nullptr);
    }

    void UpdateCashText() override { ++cashText; }
    void ShowGameOver() override { ++gameOver; }
    void RefreshFinanceDialog() override { ++financeDialog; }
    void RefreshCarStock() override { ++carStock; }
    void RefreshEfficiencyWindow() override { ++efficiency; }

    std::atomic<int> cashText{0};
    std::atomic<int> gameOver{0};
    std::atomic<int> financeDialog{0};
    std::atomic<int> carStock{0};
    std::atomic<int> efficiency{0};
};
