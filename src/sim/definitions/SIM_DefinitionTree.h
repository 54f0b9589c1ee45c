// Loads every definition of a data tree in the order a new game does (props before the tasks
// that stand them on tiles, upgrades before the tasks that offer them...), for the tools and
// tests that need the definitions without setting a game up.
#pragma once
#include <string>

// simRoot is the folder holding tasks/, facilities/, resources/... ("data/simulation" in the game).
void LoadDefinitionTree(const std::string& simRoot);
