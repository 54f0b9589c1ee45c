// Program entry: runs the game from its own folder so the data beside it is found.
#include "AppEntry.h"
#include "platform/core/PDirectory.h"

int main(int, char**)
{
    PDirectory::ChangeToExecutableFolder();
    return AppMain();
}
