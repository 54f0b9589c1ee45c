// Named threads and the main-thread test.
#include "platform/core/PThread.h"

#include <atomic>
#include <mutex>
#include <pthread.h>

namespace
{
std::mutex s_threadMainLock;
std::thread::id s_threadMainId = std::this_thread::get_id();
}

PThread::~PThread()
{
    Join();
}

bool PThread::Start(const std::string& name, std::function<void()> body)
{
    if (m_thread.joinable() || !body)
        return false;
    m_name = name;
    // The game raises no exceptions of its own; a failed thread creation is reported as false.
    try
    {
        m_thread = std::thread([name, body = std::move(body)]() {
            SetCurrentName(name);
            body();
        });
    }
    catch (...)
    {
        return false;
    }
    return true;
}

void PThread::Join()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void PThread::SetCurrentName(const std::string& name)
{
    pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}

std::string PThread::GetCurrentName()
{
    char buf[32] = {};
    if (pthread_getname_np(pthread_self(), buf, sizeof buf) != 0)
        return "";
    return buf;
}

void PThread::MarkMainThread()
{
    std::lock_guard<std::mutex> guard(s_threadMainLock);
    s_threadMainId = std::this_thread::get_id();
}

bool PThread::IsMainThread()
{
    std::lock_guard<std::mutex> guard(s_threadMainLock);
    return s_threadMainId == std::this_thread::get_id();
}
