// The simulation's door to the presentation, with the main-thread queue for worker effects.
#include "sim/SIM_Presentation.h"

#include "engine/core/GLifetime.h"

#include <utility>

SIM_Presentation& SIM_Presentation::Instance()
{
    return GLifetime::Get<SIM_Presentation>();
}

void SIM_Presentation::SetListener(SIM_PresentationListener* listener)
{
    m_listener = listener;
}

SIM_PresentationListener& SIM_Presentation::Listener()
{
    return m_listener ? *m_listener : m_silent;
}

void SIM_Presentation::Post(std::function<void()> effect)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_posted.push_back(std::move(effect));
}

void SIM_Presentation::ApplyPosted()
{
    // Effects may post further effects; take the batch first so they run next time round.
    std::vector<std::function<void()>> batch;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        batch.swap(m_posted);
    }
    for (auto& effect : batch)
        effect();
}

void SIM_Presentation::DiscardPosted()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_posted.clear();
}
