// The one door from the simulation to the presentation: the attached listener (or a silent one),
// and the queue through which worker jobs hand their interface effects to the main thread.
#pragma once
#include "sim/SIM_PresentationListener.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class SIM_Presentation
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static SIM_Presentation& Instance();

    // Attach (or detach with nullptr) the presentation. Main thread only.
    void SetListener(SIM_PresentationListener* listener);
    // The attached listener, or a listener that does nothing.
    SIM_PresentationListener& Listener();
    bool HasListener() const { return m_listener != nullptr; }

    // Any thread: queue an effect on the interface. Workers never touch windows, GL or sound;
    // the main thread applies what they queued once it has waited for the jobs.
    void Post(std::function<void()> effect);
    // Main thread: run and drop every queued effect in the order posted.
    void ApplyPosted();
    // Deletes a view object on the main thread: at once when called there, otherwise (onWorker)
    // with the effects the main thread applies after the wait.
    template <class T>
    void DeleteOnMainThread(std::unique_ptr<T> view, bool onWorker)
    {
        if (!view || !onWorker)
            return;
        std::shared_ptr<T> held(std::move(view));
        Post([held] { (void)held; });
    }
    // Drop queued effects without running them (game reset).
    void DiscardPosted();

private:
    SIM_PresentationListener* m_listener = nullptr;
    SIM_PresentationListener m_silent;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_posted;
};
