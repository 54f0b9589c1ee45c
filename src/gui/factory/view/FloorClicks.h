// What a click on the floor does. The right button, and the left one with the delete tool, sell or
// remove what stands on the tile under the mouse; otherwise the left button goes to the tile (the
// slot standing there), and failing that begins the camera's drag unless a drag tool is armed.
// Off the floor a click is not taken. Main thread.
#pragma once

struct GUI_FactoryTools;
class SIM_Tile;

class FloorClicks
{
public:
    // True when the click was on the floor (taken). The view's tools say which tool is armed and
    // what a click opens.
    static bool OnLeftClick(float x, float y, const GUI_FactoryTools& tools);
    static bool OnRightClick();
    // Sells or removes what stands on the tile: the conveyor first when it is on top (or shift is
    // held), an import bay with its conveyor piece and importer as the one purchase they were.
    static void RemoveAt(SIM_Tile* tile);
};
