// The daily question to the update server whether a newer version exists: at most once per
// UTC day, run on a worker while a please-wait window shows; the main menu reads the result.
#pragma once
#include <atomic>
#include <string>

class SIM_UpdateCheck
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_UpdateCheck& Instance();

    // Main thread, end of start-up: posts the check unless it already ran today or no update
    // server is set (setting "OPT_UPDATE_SERVER", empty by default: no check at all).
    void Run();
    bool WasCheckedToday();
    void WriteLastCheck();
    // Main thread, every frame: once the check has finished, closes its please-wait window.
    void PollFinished();
    // Shutdown: a running check stops soon.
    void Cancel();

    // The answer: a newer version exists. Set by the check, cleared by the main menu when it
    // opens its notice.
    static bool IsUpdateAvailable() { return s_updateAvailable.load(); }
    static void ClearUpdateAvailable() { s_updateAvailable = false; }
    // True when a successful reply carried a message other than "up-to-date".
    static bool ReplyMeansUpdate(bool replySucceeded, const std::string& message);

    std::string LastCheckPath() const;

    static constexpr const char* SERVER_SETTING = "OPT_UPDATE_SERVER";

private:
    SIM_UpdateCheck() = default;
    static void RunUpdateCheckJob();

    int m_day = 0;
    int m_month = 0;
    int m_year = 0;
    bool m_pending = false;
    std::atomic<bool> m_finished{false};
    static inline std::atomic<bool> s_updateAvailable{false};
};
