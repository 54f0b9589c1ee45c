// The sound files the game's code plays by name, in one table: the code plays them from here
// and the data checker makes sure every one is shipped, so a typo fails a check instead of
// playing nothing. Effects live in data/sounds, music in data/sounds/music. A task's or
// facility's own placement sound is named by its data file instead.
#pragma once
#include <string>
#include <vector>

namespace GUI_SoundNames
{
// Music, looping from start-up.
inline constexpr const char* kMusic = "fv_music.ogg";

// Interface.
inline constexpr const char* kClick = "fv_gui_click.ogg";
inline constexpr const char* kMouseOver = "fv_mouseover.ogg";
inline constexpr const char* kHeavyClick = "fv_heavy_click.ogg";
inline constexpr const char* kScroll = "fv_gui_scroll.ogg";
inline constexpr const char* kRotate = "fv_gui_rotate.ogg";
inline constexpr const char* kSelect = "select.ogg";
inline constexpr const char* kScreenshot = "screenshot.ogg";
// The research screen's own loop (played at 0.45 of the effects volume).
inline constexpr const char* kResearchLoop = "fv_research_screen_loop.ogg";

// The factory: removal, zone unlock and conveyor drags; the hall's looping ambience.
inline constexpr const char* kSlotPlace = "slot_place.ogg";
inline constexpr const char* kAmbience = "ambience.ogg";

// Placement of a slot without its own sound, by the tiles it covers (1 to 4).
inline constexpr int kPlaceSlotVariants = 4;
// Robot joints and spot welds, picked at random (1 to 15 and 1 to 5).
inline constexpr int kServoVariants = 15;
inline constexpr int kWeldVariants = 5;

// "fv_place_slot_<n>.ogg" for n held within 1..4.
inline std::string PlaceSlot(int tiles)
{
    const int n = tiles < 1 ? 1 : tiles > kPlaceSlotVariants ? kPlaceSlotVariants : tiles;
    return "fv_place_slot_" + std::to_string(n) + ".ogg";
}
// "fv_servo_<n>.ogg", n in 1..15.
inline std::string Servo(int n)
{
    return "fv_servo_" + std::to_string(n) + ".ogg";
}
// "fv_weld_<n>.ogg", n in 1..5.
inline std::string Weld(int n)
{
    return "fv_weld_" + std::to_string(n) + ".ogg";
}

// Every effect above, for the data checker.
inline std::vector<std::string> AllEffects()
{
    std::vector<std::string> names = {kClick,  kMouseOver,  kHeavyClick,   kScroll,    kRotate,
                                      kSelect, kScreenshot, kResearchLoop, kSlotPlace, kAmbience};
    for (int n = 1; n <= kPlaceSlotVariants; ++n)
        names.push_back(PlaceSlot(n));
    for (int n = 1; n <= kServoVariants; ++n)
        names.push_back(Servo(n));
    for (int n = 1; n <= kWeldVariants; ++n)
        names.push_back(Weld(n));
    return names;
}
} // namespace GUI_SoundNames
