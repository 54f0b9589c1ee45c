// Placed sounds asked for by worker jobs (robots welding and turning while their frame work
// runs). Workers only add requests; the main thread plays them once the frame's jobs are done.
#pragma once
#include <mutex>
#include <string>
#include <vector>

class GUI_Sounds;

struct SoundRequest
{
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float volume = 1.0f; // the caller's own factor; master and effects volumes are applied when played
    int flag = 0;
};

class SoundRequestQueue
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // The game's queue, created on first use.
    static SoundRequestQueue& Instance();

    // Any thread.
    void Push(SoundRequest request);
    // Main thread: moves every waiting request into out (emptied first), leaving the queue
    // empty with its capacity kept for the next frame.
    void TakeAll(std::vector<SoundRequest>& out);
    size_t GetSize() const;

private:
    mutable std::mutex m_lock;
    std::vector<SoundRequest> m_requests;
};

// Any thread: asks for name to play at (x, y) on the floor at volume x master x effects.
void QueueSoundRequest(SoundRequestQueue& queue, int flag, const std::string& name, float x, float y, float volume);
// Main thread, after the frame's jobs: plays each waiting request in order, unless muted or the
// same file is still sounding from an earlier request (which bounds how many robot sounds
// overlap), and empties the queue. Plays through the game's manager unless one is given.
void PlayQueuedSoundRequests(SoundRequestQueue& queue);
void PlayQueuedSoundRequests(SoundRequestQueue& queue, GUI_Sounds& sounds);
