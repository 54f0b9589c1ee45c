// The options: the screen size at the left (the resolution picker), the three volumes and the two
// switches at the right. Volumes are heard at once and written when the dialog closes; a switch is
// written at once. Over a running game it has a close box and holds the game while it is open.
// At most one is open. Main thread only.
#pragma once

#include "gui/toolkit/windows/GUI_Dialog.h"
#include "gui/toolkit/windows/GUI_SingleWindow.h"

#include <string>

class GUI_CheckButton;
class GUI_OptionsSlider;
class GUI_ResolutionPicker;

class GUI_OptionsDialog : public GUI_Dialog
{
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 500;

    enum Switch
    {
        SWITCH_CONVEYOR_LABELS = 0,
        SWITCH_AUTOSAVE = 1,
    };

    static GUI_OptionsDialog* Open(bool closeButton);
    static void CloseOpen();
    static GUI_OptionsDialog* GetOpen() { return s_single.Get(); }
    // A switch's setting flips between 1.0 and 0.0 and config.txt is written at once.
    static void ToggleOption(const std::string& key);
    static void OnSwitchToggled(int which);

    explicit GUI_OptionsDialog(bool closeButton);
    // Writes the settings (the volumes reach config.txt here) and lets the game run again.
    ~GUI_OptionsDialog() override;

    void Layout() override;
    void Draw() override;

    GUI_ResolutionPicker* GetPicker() const { return m_picker; }
    GUI_OptionsSlider* GetSlider(int i) const { return m_sliders[i]; }
    GUI_CheckButton* GetSwitch(int i) const { return m_switches[i]; }

private:
    // A volume slider moved: the setting follows and the sound manager hears it.
    static void OnVolumeChanged(int slider);
    void ReleaseHold();

    static inline GUI_SingleWindow<GUI_OptionsDialog> s_single;

    GUI_ResolutionPicker* m_picker = nullptr; // owned as a sub-window
    GUI_OptionsSlider* m_sliders[3] = {};     // owned as sub-windows: effects, music, master
    GUI_CheckButton* m_switches[2] = {};      // owned by the button list
    bool m_holding = false;
};
