// The task footprint writer.
#include "gui/editors/task/TaskLayoutWriter.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFile.h"
#include "engine/core/IniLoader.h"
#include "sim/definitions/SIM_BaseTask.h"
#include "sim/definitions/SIM_DataNames.h"
#include "sim/definitions/SIM_Prop.h"
#include "sim/definitions/TaskTileDef.h"

namespace
{
// The reader puts the anchor's robots back on every load; written out they would double.
bool TaskWriterSkipsProp(const TaskPropDef& prop)
{
    if (!prop.propType)
        return true;
    const std::string& name = prop.propType->m_name;
    return name == "robot3" || name == SIM_DataNames::kPropRobot;
}
} // namespace

const char* TaskLayoutWriter::TileTypeName(int type)
{
    switch (type)
    {
    case TT_CONVEYOR:
        return "TT_CONVEYOR";
    case TT_STOCKPILE:
        return "TT_STOCKPILE";
    case TT_EXPORT:
        return "TT_EXPORT";
    default:
        return "TT_NORMAL";
    }
}

std::string TaskLayoutWriter::TileSectionText(const TaskTileDef& tile, int index)
{
    IniLoader section;
    section.SetSectionName(tile.XOffset == 0 && tile.YOffset == 0 ? std::string("tile")
                                                                  : "tiles" + std::to_string(index));
    section.AddPair("XOffset", std::to_string(tile.XOffset));
    section.AddPair("YOffset", std::to_string(tile.YOffset));
    // A texture the file left empty (the task list's floor filled it in) stays empty while the
    // player has not changed it, so the tile keeps following the list; the loader fills it in
    // again only on a normal tile.
    const bool listFloor =
        tile.type == TT_NORMAL && !tile.defaultTexture.empty() && tile.texture == tile.defaultTexture;
    section.AddPair("texture", listFloor ? std::string() : tile.texture);
    section.AddPair("type", TileTypeName(tile.type));
    int written = 0;
    for (const auto& prop : tile.props)
    {
        if (TaskWriterSkipsProp(*prop))
            continue;
        section.AddPair("prop" + std::to_string(written++), std::to_string(prop->position) + "," +
                                                                prop->propType->m_name + "," +
                                                                std::to_string(prop->facing));
    }
    return section.GetSectionText();
}

bool TaskLayoutWriter::Compose(const SIM_BaseTask& task, std::string& text, std::string& error)
{
    text.clear();
    const std::string& path = task.m_file;
    if (path.empty())
    {
        error = "task [" + task.m_name + "] has no definition file";
        return false;
    }
    IniLoader names;
    names.LoadSectionNames(path);
    int kept = 0;
    for (const std::string& name : names.GetSectionNames())
    {
        // The reader takes every section whose name holds "tile" for a tile: they are all
        // replaced by the layout.
        if (name.find("tile") != std::string::npos)
            continue;
        IniLoader section;
        section.Load(name, path);
        text += section.GetSectionText();
        ++kept;
    }
    if (kept == 0)
    {
        text.clear();
        error = "task file [" + path + "] could not be read or holds nothing but tiles";
        return false;
    }
    for (size_t i = 0; i < task.m_tiles.size(); ++i)
        text += TileSectionText(task.m_tiles[i], static_cast<int>(i));
    return true;
}

bool TaskLayoutWriter::Save(const SIM_BaseTask& task)
{
    std::string text;
    std::string error;
    if (!Compose(task, text, error))
    {
        GDebugLog::Instance().LogError("Task layout not saved: " + error);
        return false;
    }
    // GFile::Replace logs its own failure and keeps the old file.
    return GFile::Replace(task.m_file, text);
}
