// What a click on the factory floor opens: the slot information dialog of a production slot and
// the supply stockpile dialog. The in-game mode calls Install with the factory view's tools when it
// enters a game (after any GUI_FactoryTools::Reset) so the view's clicks, slot removals and
// simulation refreshes reach them. Main thread.
#pragma once

struct GUI_FactoryTools;

namespace FactoryDialogs
{
void Install(GUI_FactoryTools& tools);
} // namespace FactoryDialogs
