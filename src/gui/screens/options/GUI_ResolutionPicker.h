// The screen sizes the display offers (1280 x 768 and larger, each size once), the one in use
// marked, and "Apply": the choice goes to prefs.ini and the game restarts itself into the options
// screen at the new size. Restarting ends a running game, so over one Apply asks first.
// Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_DialogBackground.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <memory>
#include <vector>

class GUI_ButtonText;
class GUI_ResolutionStrip;
class GUI_ScrollingWindow;

class GUI_ResolutionPicker : public GUI_WindowBase
{
public:
    static constexpr int kRowHeight = 24;
    static constexpr int kMinWidth = 1280;
    static constexpr int kMinHeight = 768;

    // The open picker (one at a time), or null.
    static GUI_ResolutionPicker* GetOpen() { return s_single.Get(); }
    // The sizes of a display's modes the game can use, in the display's order, each size once.
    static std::vector<PDisplayMode> UsableModes(const std::vector<PDisplayMode>& modes);
    // Whether the list already holds a mode of that width and height.
    static bool HasMode(const std::vector<PDisplayMode>& modes, int width, int height);
    // A strip was clicked.
    static void Choose(int width, int height);

    // Reads the display's modes and the size in use.
    GUI_ResolutionPicker();
    ~GUI_ResolutionPicker() override;

    // The list, its scroll bar and the apply button in the picker's rectangle.
    void Layout() override;
    void Draw() override;
    void OnWheelUp() override;
    void OnWheelDown() override;

    // Apply: the settings first (so nothing set before the restart is lost), then, unless a game
    // runs (which asks first), the restart.
    void Apply();
    // Writes prefs.ini with the chosen size and restarts the game.
    void Restart();

    const std::vector<PDisplayMode>& GetModes() const { return m_modes; }
    const std::vector<std::unique_ptr<GUI_ResolutionStrip>>& GetStrips() const { return m_strips; }
    GUI_ButtonText* GetApplyButton() const { return m_apply; }
    int GetChosenWidth() const { return m_chosenWidth; }
    int GetChosenHeight() const { return m_chosenHeight; }
    int GetCurrentWidth() const { return m_currentWidth; }
    int GetCurrentHeight() const { return m_currentHeight; }

private:
    void FillModes();
    void ReadCurrentSize();
    void LayoutStrips();

    static inline GUI_SingleWindow<GUI_ResolutionPicker> s_single;

    std::vector<PDisplayMode> m_modes;
    std::vector<std::unique_ptr<GUI_ResolutionStrip>> m_strips;
    GUI_ScrollingWindow* m_bar = nullptr; // owned as a sub-window
    int m_chosenHeight = 0;
    int m_chosenWidth = 0;
    bool m_windowed = false;
    bool m_windowedAtStart = false;
    int m_currentHeight = 0;
    int m_currentWidth = 0;
    GUI_ButtonText* m_apply = nullptr; // owned by the button list
    PRect m_listRect{};
    GUI_DialogBackground m_background;
};
