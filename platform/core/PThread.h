// Threads for the game's worker pool and background jobs: each carries a name visible in
// debuggers and tools ("FV Thread 1"), and the main thread can be told apart from the others.
#pragma once
#include <functional>
#include <string>
#include <thread>

class PThread
{
public:
    PThread() = default;
    ~PThread(); // joins a thread still running
    PThread(const PThread&) = delete;
    PThread& operator=(const PThread&) = delete;

    // Starts body on a new thread named name (the system keeps the first 15 characters).
    // False when a thread is already running in this object or cannot be created.
    bool Start(const std::string& name, std::function<void()> body);
    // Waits for the thread to finish. Harmless when none runs.
    void Join();
    const std::string& GetName() const { return m_name; }

    // Names the calling thread.
    static void SetCurrentName(const std::string& name);
    // The calling thread's name as the system reports it.
    static std::string GetCurrentName();
    // Makes the calling thread the main thread (the one that owns windows, GL and dialogs).
    // By default the thread that ran the program's static start-up is the main thread.
    static void MarkMainThread();
    static bool IsMainThread();

private:
    std::thread m_thread;
    std::string m_name;
};
