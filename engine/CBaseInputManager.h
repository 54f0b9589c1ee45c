// The mouse state every screen and widget reads (pointer, left button held, double click,
// how long the pointer has rested, which window took the mouse this frame), and the
// routing of window mouse messages to the input operations.
#pragma once
#include <cstdint>
#include <functional>

class CBaseInputManager
{
public:
    // Reads the pointer in window coordinates.
    using PointerSource = std::function<void(float& x, float& y)>;

    CBaseInputManager();
    virtual ~CBaseInputManager() = default;

    virtual void Update();
    virtual void OnWheelUp() {}
    virtual void OnWheelDown() {}
    virtual void OnLeftDown();
    virtual void OnLeftUp();
    virtual void OnRightDown() {}
    virtual void OnMiddleDown() {}
    virtual void OnKeyDown(uint32_t virtualKey) { (void)virtualKey; }
    virtual void OnChar(uint32_t character) { (void)character; }

    // Routes one mouse message (left down, left double click, left up, right down, middle
    // down, wheel by the sign of wParam's 32 bits); right and middle releases do nothing.
    void DispatchMouseMessage(uint64_t wParam, uint32_t message);
    // Advances the still counter from the previous position, then reads the pointer.
    void UpdateMouse();

    float GetMouseX() const { return m_mouseX; }
    float GetMouseY() const { return m_mouseY; }
    void SetMousePosition(float x, float y)
    {
        m_mouseX = x;
        m_mouseY = y;
    }
    bool IsLeftHeld() const { return m_leftHeld; }
    int GetStillCounter() const { return m_stillCounter; }
    bool IsDoubleClick() const { return m_doubleClick; }
    bool IsMouseTaken() const { return m_mouseTaken; }
    void* GetTakingWindow() const { return m_takingWindow; }
    // A window that handles the mouse in this frame marks it taken for the windows below it.
    void SetMouseTaken(void* window)
    {
        m_mouseTaken = true;
        m_takingWindow = window;
    }
    // Tests and tools replace the desktop pointer with their own.
    void SetPointerSource(PointerSource source);

    // The program's input manager, for engine code that has no direct way to it (headless
    // screens refresh the mouse through it at the start of each frame). Null before one exists.
    static CBaseInputManager* Active() { return s_active; }
    static void SetActive(CBaseInputManager* manager) { s_active = manager; }

protected:
    float m_mouseX = 100.0f;
    float m_mouseY = 100.0f;
    bool m_leftHeld = false;
    int m_stillCounter = 0;
    float m_stillRefX = 0.0f;
    float m_stillRefY = 0.0f;
    bool m_doubleClick = false;
    bool m_mouseTaken = false;
    void* m_takingWindow = nullptr;
    PointerSource m_pointerSource;

private:
    static inline CBaseInputManager* s_active = nullptr;
};

// The virtual key of a lower-case shortcut character: '0'-'9' and 'a'-'z' map to their
// key codes, anything else to -1.
int CharToVirtualKey(int character);
