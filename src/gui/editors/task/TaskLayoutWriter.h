// Writes a task's footprint back into its definition file: every section of the file that is not
// a tile section, in its old order, then one section per tile of the layout ("tile" for the
// anchor, "tiles<N>" for the others, N the tile's place in the layout). The file is built in
// memory and replaced at once, so a failed or interrupted save leaves the old file whole.
// Main thread only.
#pragma once

#include <string>

class SIM_BaseTask;
struct TaskTileDef;

class TaskLayoutWriter
{
public:
    // The whole new file of the task (read from the file it was loaded from). False, with the
    // reason, when the task has no file or the file yields no section besides its tiles: writing
    // then would drop the task's own keys or pile the tiles onto an unreadable file.
    static bool Compose(const SIM_BaseTask& task, std::string& text, std::string& error);
    // Composes and replaces the task's file. A refusal or a failed write goes to the error log
    // and gives false; the file is then as it was.
    static bool Save(const SIM_BaseTask& task);
    // One tile section as the task reader reads it back; robots, which the reader adds to the
    // anchor by itself, are left out.
    static std::string TileSectionText(const TaskTileDef& tile, int index);
    // The name the reader knows a tile type by; a value outside the four types reads as normal.
    static const char* TileTypeName(int type);
};
