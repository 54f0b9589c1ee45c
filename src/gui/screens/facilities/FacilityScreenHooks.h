// What a click on the factory floor opens from these screens: a research office's popup, any
// other facility's dialog (the supply stockpile keeps its own) and the offer of a locked zone.
// The in-game mode installs them in the factory view's tools when it enters.
// Main thread only.
#pragma once

struct GUI_FactoryTools;

void InstallFacilityScreenHooks(GUI_FactoryTools& tools);
