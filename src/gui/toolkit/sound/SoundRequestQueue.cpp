// The worker-to-main-thread queue of placed sounds.
#include "gui/toolkit/sound/SoundRequestQueue.h"

#include "engine/core/GLifetime.h"
#include "gui/toolkit/sound/GUI_Sounds.h"

SoundRequestQueue& SoundRequestQueue::Instance()
{
    return GLifetime::Get<SoundRequestQueue>();
}

void SoundRequestQueue::Push(SoundRequest request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.push_back(std::move(request));
}

void SoundRequestQueue::TakeAll(std::vector<SoundRequest>& out)
{
    out.clear();
    std::lock_guard<std::mutex> guard(m_lock);
    // Swapping hands over the requests and gives the queue the drained vector's capacity back.
    out.swap(m_requests);
}

size_t SoundRequestQueue::GetSize() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests.size();
}

void QueueSoundRequest(SoundRequestQueue& queue, int flag, const std::string& name, float x, float y, float volume)
{
    queue.Push(SoundRequest{name, x, y, volume, flag});
}

void PlayQueuedSoundRequests(SoundRequestQueue& queue)
{
    PlayQueuedSoundRequests(queue, GUI_Sounds::Instance());
}

void PlayQueuedSoundRequests(SoundRequestQueue& queue, GUI_Sounds& sounds)
{
    // Kept between frames so a busy factory does not allocate every frame.
    static thread_local std::vector<SoundRequest> requests;
    queue.TakeAll(requests);
    for (const SoundRequest& request : requests)
    {
        if (sounds.IsSoundPlaying(request.name) || sounds.IsMuted())
            continue;
        sounds.PlaySoundAt(request.name, false, request.x, request.y, sounds.EffectVolume() * request.volume);
    }
    requests.clear();
}
