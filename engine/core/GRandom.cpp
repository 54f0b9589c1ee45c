// Table-driven random floats.
#include "engine/core/GRandom.h"
#include "engine/core/GDebugLog.h"
#include "platform/core/PClock.h"
#include "platform/core/PRandom.h"

#include <mutex>
#include <vector>

namespace
{
std::mutex s_grandomLock;
std::vector<float> s_grandomTable1;
std::vector<float> s_grandomTable2;
int s_grandomPos1 = 0;
int s_grandomPos2 = 0;
bool s_grandomReady = false;

float GRandomNext(std::vector<float>& table, int& pos)
{
    bool ready;
    float value = 0.0f;
    {
        std::lock_guard<std::mutex> guard(s_grandomLock);
        ready = s_grandomReady && !table.empty();
        if (ready)
        {
            value = table[static_cast<size_t>(pos)];
            pos = (pos + 1) % static_cast<int>(table.size());
        }
    }
    if (!ready)
        GDebugLog::Instance().LogError("Random not ready");
    return value;
}
}

void GRandom::Init()
{
    std::lock_guard<std::mutex> guard(s_grandomLock);
    PRandom::Seed(PClock::TimeGetTime());
    s_grandomTable1.assign(TABLE_SIZE, 0.0f);
    s_grandomTable2.assign(TABLE_SIZE, 0.0f);
    for (int i = 0; i < TABLE_SIZE; ++i)
    {
        s_grandomTable1[static_cast<size_t>(i)] = static_cast<float>(PRandom::Rand()) * (1.0f / 32768.0f);
        s_grandomTable2[static_cast<size_t>(i)] = static_cast<float>(PRandom::Rand()) * (1.0f / 32768.0f);
    }
    s_grandomPos1 = 0;
    s_grandomPos2 = 0;
    s_grandomReady = true;
}

float GRandom::NextFloat()
{
    return GRandomNext(s_grandomTable1, s_grandomPos1);
}

float GRandom::NextFloat2()
{
    return GRandomNext(s_grandomTable2, s_grandomPos2);
}

bool GRandom::IsReady()
{
    std::lock_guard<std::mutex> guard(s_grandomLock);
    return s_grandomReady;
}

void GRandom::Release()
{
    std::lock_guard<std::mutex> guard(s_grandomLock);
    s_grandomTable1.clear();
    s_grandomTable2.clear();
    s_grandomReady = false;
}
