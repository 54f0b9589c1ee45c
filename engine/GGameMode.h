// A screen that owns the whole window (main menu, settings, the factory game, the editors):
// it is registered under a name, receives the frames and the player's input while current.
#pragma once
#include "engine/GKeyboardHandler.h"

#include <cstdint>
#include <string>
#include <vector>

class GGameMode
{
public:
    GGameMode() = default;
    virtual ~GGameMode();
    GGameMode(const GGameMode&) = delete;
    GGameMode& operator=(const GGameMode&) = delete;

    // Every frame: Process first, then Draw between the begin and end of the scene.
    virtual void Draw() {}
    virtual void Process() {}
    // Mouse operations read the pointer and button state from the input manager.
    // OnLeftDown also comes for a double click, with the input manager's double-click flag set.
    virtual void OnLeftDown() {}
    virtual void OnRightDown() {}
    virtual void OnMiddleDown() {}
    virtual void Enter() {}
    virtual void Exit() {}
    virtual void OnWheelUp() {}
    virtual void OnWheelDown() {}
    virtual void OnLeftUp() {}
    // Default: handed to the focused keyboard handler, when there is one.
    virtual void OnChar(uint32_t character);
    virtual void OnKeyDown(uint32_t virtualKey);

    // Stores the name and adds the mode to the registry, once per mode object. Two modes may
    // share a name; lookups find the one registered first.
    void Register(const std::string& name);
    // The first registered mode with exactly this name (case-sensitive), or null.
    static GGameMode* Find(const std::string& name);
    // The registry, in registration order. It does not own the modes.
    static const std::vector<GGameMode*>& Registered();

    // The mode the game runs now (set by GGame::SetGameMode), or null; widgets that take the
    // keyboard (a text field) reach the focused-handler slot through it.
    static GGameMode* Current() { return s_current; }
    static void SetCurrent(GGameMode* mode) { s_current = mode; }

    const std::string& GetName() const { return m_name; }
    GKeyboardHandler* GetKeyboardHandler() const { return m_keyboardHandler; }
    void SetKeyboardHandler(GKeyboardHandler* handler) { m_keyboardHandler = handler; }
    // A text field holds the keyboard: the mode's hot keys rest until it lets go.
    bool IsTyping() const { return m_keyboardHandler != nullptr; }

private:
    static std::vector<GGameMode*>& GameModeList();

    GKeyboardHandler* m_keyboardHandler = nullptr;
    std::string m_name;
    static inline GGameMode* s_current = nullptr;
};
