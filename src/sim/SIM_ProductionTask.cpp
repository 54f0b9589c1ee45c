// Production task definitions: the task file, the floor default from tasks.csv and composite tasks.
#include "sim/SIM_ProductionTask.h"

void SIM_ProductionTask::Load(const std::string& path)
{
    m_file = path;
}

void SIM_ProductionTask::SetDefaultFloorTexture(const std::string& texture)
{
    for (TaskTileDef& tile : m_tiles)
        if (tile.type == TT_NORMAL && tile.texture.empty())
            tile.texture = texture;
}

void SIM_ProductionTask::CombineSubTasks()
{
}
