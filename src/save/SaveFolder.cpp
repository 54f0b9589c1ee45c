// The savegame folder.
#include "save/SaveFolder.h"

namespace
{
std::string& Folder()
{
    // Until the game sets its user folder, saves go beside the program, as the game's own
    // fallback for a system without a Documents folder does.
    static std::string folder = "userdir/ferrovane/savegames";
    return folder;
}
} // namespace

void SaveFolder::Set(const std::string& folder)
{
    Folder() = folder;
}

const std::string& SaveFolder::Get()
{
    return Folder();
}

std::string SaveFolder::PathFor(const std::string& name)
{
    return Folder() + "/" + name + ".xml";
}
