// The keys of data/strings.ini that the game looks up. The code takes its keys from here and the
// data checker finds every one of them in the text table, so a misspelt key fails a test instead
// of showing an empty label. Spelling mistakes that shipped data relies on stay as they are.
#pragma once
#include <string>
#include <vector>

namespace GTextKeys
{

// Slot states, in the order of their numbers 0 to 7.
inline constexpr const char* kSlotStates[] = {
    "UNKNOWN",
    "RUNNING",
    "NOROUTE_TO_RESOURCES",
    "INSUFFICIENT_VEHICLE",
    "INSUFFICIENT_RESOURCES",
    "NO_EXPORT_ROOM",
    "WAITING_FOR_EXPORT",
    "NUM_SLOT_STATES",
};

// Notices over a slot.
inline constexpr const char* kSlotNotices[] = {
    "NOTICE_NORESOURCES",   "NOTICE_NORESOURCEROUTE", "NOTICE_MISSINGINPUT",
    "NOTICE_MISSINGOUTPUT", "NOTICE_NOEXPORTROOM",
};

// Notices over a car that cannot move on.
inline constexpr const char* kCarNotices[] = {
    "VN_NEXT_SLOT_NOT_FOUND",
    "VN_NEXT_SLOT_NOT_CONNECTED",
    "VN_NEXT_SLOT_REQS_NOT_MET",
};

// Finance categories 0 to 9; category 4 (car sales) has no key.
inline constexpr const char* kFinanceCategories[] = {
    "FC_RAW_MATERIALS", "FC_CAPITAL_INVESTMENT", "FC_COMPONENT_PURCHASE", "FC_RENT",  "",
    "FC_WAGES",         "FC_POWER_PURCHASE",     "FC_MARKETING",          "FC_FINES", "FC_REPAIRS",
};

// Upgrade effect types 0 to 6; type 3 (a prop) is not described.
inline constexpr const char* kUpgradeEffects[] = {
    "UP_EFF_SPEED", "UP_EFF_POWERUSE", "UP_EFF_QUALITY", "", "UP_EFF_POWERPROD", "UP_EFF_ABS_SPEED", "UP_EFF_ABS_POWER",
};

// Single keys the simulation and the application read.

inline constexpr const char* kUpgradeSeconds = "UPGRADE_SECONDS";

inline constexpr const char* kUnlockedSlot = "UNLOCKED_SLOT";

inline constexpr const char* kUnlockedFacility = "UNLOCKED_FACILITY";

inline constexpr const char* kUnlockedUpgrade = "UNLOCKED_UPGRADE";

// What research unlocks besides tasks and upgrades: the renting of locked areas, and the
// factory-wide speeds in the order of their variables (conveyors, overhead conveyors, imports).
inline constexpr const char* kUnlockedExpansion = "UNLOCKED_EXPANSION";
inline constexpr const char* kUnlockedFactoryVariables[] = {
    "UNLOCKED_CONVEYOR_SPEED",
    "UNLOCKED_RESOURCE_CONV_SPEED",
    "UNLOCKED_IMPORT_RATE_SPEED",
};

inline constexpr const char* kDefaultDesignName = "DEFAULT_DESIGN_NAME";

inline constexpr const char* kLoadingSimulation = "LS_INITIIALIZING_SIMULATION";

inline constexpr const char* kCheckingUpdates = "PLEASEWAIT_CHECKINGUPDATES";

// After a load that left items of the save out, before their number.
inline constexpr const char* kLoadItemsLeftOut = "LOAD_ITEMS_LEFT_OUT";

// Stages of saving a game.
inline constexpr const char* kSaveStages[] = {
    "LS_SAVING_SLOTS",
    "LS_SAVING_FACILITIES",
    "LS_SAVING_VEHICLES",
    "LS_SAVING_CONVEYORS",
    "LS_SAING_RESOURCES",
    "LS_SAVING_STOCKPILES",
    "LS_SAVING_COMPONENT_STOCKPILES",
    "LS_SAVING_SUPPLY_STOCKPILES",
    "LS_SAVING_RESEARCH",
    "LS_SAVING_VEHICLE_DESIGNS",
    "LS_SAVING_FINANCES",
    "LS_SAVING_RECORDS",
    "LS_SAVING_STOCK",
    "LS_SAVING_COMPLETE",
};

// Stages of loading a game.
inline constexpr const char* kLoadStages[] = {
    "LS_READING_SAVE_FILE",         "LS_LOADING_SLOTS",
    "LS_LOADING_FACILITIES",        "LS_LOADING_VEHICLES",
    "LS_LOADING_CONVEYORS",         "LS_LOADING_RESOURCES",
    "LS_LOADING_STOCKPILES",        "LS_LOADING_COMPONENT_STOCKPILES",
    "LS_LOADING_SUPPLY_STOCKPILES", "LS_LOADING_RESEARCH",
    "LS_LOADING_VEHICLE_DESIGNS",   "LS_LOADING_FINANCES",
    "LS_LOADING_RECORDS",           "LS_LOADING_STOCK",
    "LS_POST_LOAD_OPERATIONS",      "LS_RECALCULATING_VARIABLES",
};

// What the screens, dialogs and editors show.
inline constexpr const char* kScreenKeys[] = {
    "CONFIRM_YES",
    "CONFIRM_NO",
    "SLOT_DELETE",
    "BULLDOZER_TOOLTIP",
    "FAC_NO_RESEARCH",
    "SLOT_TIME",
    "SLOT_STATUS",
    "SLOT_POWER",
    "SLOT_TASK",
    "SLOT_REQUIREMENTS",
    "SLOT_EMPLOYEES",
    "SLOT_UPGRADES_TITLE",
    "CHOOSE_UPGRADES",
    "SLOT_STOCKPILE",
    "ADD_ITEM",
    "ADD_TO_STOCKPILE",
    "MAINMENU_NEWGAME",
    "MAINMENU_LOADGAME",
    "MAINMENU_OPTIONS",
    "MAINMENU_TASKEDITOR",
    "MAINMENU_FORUMS",
    "MAINMENU_YOUTUBE",
    "MAINMENU_QUIT",
    "MAINMENU_MAINMENU",
    "MAINMENU_LINK_NOT_OPENED",
    "CHOOSE_MISSION_TITLE",
    "CHOOSE_MISSION_PLAY",
    "CHOOSE_MISSION_EDIT",
    "STARTING_CASH",
    "LS_INIT_GAME",
    "LS_INIT_GUI",
    "LS_SETGAMEMODE",
    "LS_START_SOUND",
    "LS_PREPARE_TO_LOAD",
    "LS_PREPARING_TO_SAVE",
    "LOAD_GAME_TITLE",
    "LOADGAME_DATE",
    "LOADGAME_MISSION",
    "SAVE_GAME_TITLE",
    "SAVE_FILENAME",
    "SAVE_CHOOSE_NAME",
    "SAVE_NAME_BLANK",
    "CONFIRM_DEL_SAVE_TITLE",
    "CONFIRM_DEL_SAVE_TXT",
    "OPTIONS_TITLE",
    "OPTIONS_SFX",
    "OPTIONS_SFX_TT",
    "OPTIONS_MUSIC",
    "OPTIONS_MUSIC_TT",
    "OPTIONS_MASTERVOLUME",
    "OPTIONS_MASTERVOLUME_TT",
    "OPT_CONVEYOR_GUI",
    "OPT_AUTOSAVE",
    "OPTIONS_APPLY_CHANGES",
    "OPTIONS_APPLY_CHANGES_TT",
    "GUI_PLEASEWAIT",
    "UPDATE_AVAILABLE_TITLE",
    "UPDATE_NEW_VERSION",
    "UPDATE_CURRENT",
    "PAUSE_TOGGLE_TT",
    "SPEED_1X",
    "SPEED_2X",
    "SPEED_4X",
    "MENU_MENU",
    "MENU_INGAMEOPTIONS",
    "MENU_SAVE",
    "MENU_RESEARCH",
    "MENU_SLOTS",
    "MENU_CAR",
    "MENU_EFFICIENCY",
    "CONFIRM_MAINMENU_TITLE",
    "CONFIRM_MAINMENU_TEXT",
    "GAME_OVER_TITLE",
    "GAME_OVER_DESC",
    "GUI_GAMEOVER_OK",
    "FINANCE_TITLE",
    "FIN_BUT_SUMMARY",
    "FIN_BUT_INCOME",
    "FIN_BUT_EXPENSES",
    "FIN_BUT_PRICES",
    "FIN_EXP_1HOUR",
    "FIN_EXP_24HOUR",
    "FIN_EXP_ALL",
    "FIN_EXP_TOTAL",
    "FIN_EXPENSES_TITLE",
    "FIN_INCOME_TITLE",
    "FIN_INC_SALEPRICE",
    "FIN_SUMMARY_TITLE",
    "FIN_SUMMARY_PROFIT",
    "FIN_SUMMARY_NOW",
    "FIN_SUMMARY_MINUS30",
    "VEHICLE_FEATURES",
    "EFFICIENCY_TITLE",
    "EFF_SLOTS",
    "EFF_100PERCENT",
    "EFF_ZERO",
    "UPGRADE_PICKER_TITLE",
    "UPGRADE_PICKER_BUY",
    "UPGRADE_PICKER_INSTALLED",
    "UNRESEARCHED",
    "RESEARCH_TITLE",
    "RESEARCH_CURRENT_TITLE",
    "RESEARCH_CURRENT_POINTS",
    "RESEARCH_LAB_COUNT",
    "RESEARCH_POINTS_PER_SECOND",
    "RESEARCH_MORE_UNLOCKS",
    "RESEARCH_DETAILS_RESEARCH",
    "ALREADY_RESEARCHED",
    "CURRENT_RESEARCH_PROGRESS",
    "RESEARCH_SHOWDETAILS",
    "RESEARCH_COMPLETE",
    "COMPLETE_UNLOCKED",
    "CHOOSE_RESEARCH",
    "EXPANSION_NAME",
    "EXPANSION_SIZE",
    "EXPANSION_RENT",
    "EXPANSION_EXPLANATION",
    "EXPANSION_UNLOCK_TITLE",
    "EXPANSION_UNLOCK",
    "CAR_STOCK_TITLE",
    "CAR_STOCK_TOGGLE",
    "STOCK_DESIGN_NAME",
    "STOCK_STOCK",
    "STOCK_PRICE",
    "STOCK_PREMIUM",
    "STOCK_ADJUST",
    "SAVE_NEW_DESIGN",
    "NEWDESIGN_TITLE",
    "NEWDESIGN_NAME",
    "NEWDESIGN_PRICE_PERC",
    "NEWDESIGN_PRICE_PRICE",
    "NEWDESIGN_PRICE_FAIR",
    "NEWDESIGN_PRICE_PROFIT",
    "NEWDESIGN_NAME_TAKEN",
    "VEHICLE_DETAILS",
    "VDS_VALUE",
    "VDS_BASIC",
    "VDS_QUALITY",
    "VDS_BRAND",
    "TASK_COST",
    "TASK_TIME",
    "TASK_EMPLOY",
    "TASK_POWER",
    "MISSION_EDITOR_TITLE",
    "MISSION_EDITOR_NAME",
    "MISSION_EDITOR_RENT",
    "MISSION_EDITOR_WALLS",
    "MISSION_EDITOR_FLOOR",
    "MISSION_EDITOR_TYPE",
    "MISSION_EDITOR_ZONE",
    "EDITOR_CREATE_ZONE",
    "EDITOR_SAVE",
    "EDITOR_IMPORTS",
    "EDITOR_EXPORTS",
    "TASKEDITOR_QUIT",
    "TASKEDITOR_SAVE",
};

// Every key above, for the data checker.
const std::vector<std::string>& All();
} // namespace GTextKeys
