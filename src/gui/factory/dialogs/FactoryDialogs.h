// What a click on the factory floor opens: the slot information dialog of a production slot and
// the supply stockpile dialog. The in-game mode calls Install when it enters a game (after any
// GUI_FactoryTools::Reset) so the view's clicks, slot removals and simulation refreshes reach them.
// Main thread.
#pragma once

namespace FactoryDialogs
{
void Install();
} // namespace FactoryDialogs
