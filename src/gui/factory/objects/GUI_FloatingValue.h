// A small box rising from a place on the factory floor when money changes hands there (a slot or
// conveyor bought or sold) or when a slot uses up a resource (its icon and a count), fading out
// after about two seconds. All values live in one pool of 200; a value that finds the pool full is
// not shown. The in-game mode draws the pool once per frame after the factory scene. Main thread.
#pragma once

#include "engine/CTexturedSprite.h"
#include "platform/video/PGraphicsTypes.h"

#include <array>
#include <string>

class GUI_FloatingValue
{
public:
    static constexpr int kPoolSize = 200;
    static constexpr const char* kCashIcon = "gui_cash.dds";

    // Shows a value rising from a world point: money with the cash icon, a whole count with any
    // other icon. Dropped when all 200 are showing.
    static void Spawn(const std::string& icon, float worldX, float worldY, float value);
    // Every active value's frame (the in-game mode's pass).
    static void DrawAll();
    // Every value off (a game's floor taken down, leaving the game mode).
    static void ResetPool();
    // Forgets the icons' picture handles (the texture store was emptied).
    static void ReleaseGraphics();
    static GUI_FloatingValue& Get(int index);
    // Entries the per-frame pass visits: the highest ever used this game plus one.
    static int GetCount();
    static int GetActiveCount();

    void Activate(const std::string& icon, float worldX, float worldY, float value);
    // Ages and raises the value, then draws it unless zoomed out below 0.25; retires it once its
    // age passes 3000.
    void Draw();

    bool IsActive() const { return m_active; }
    float GetAge() const { return m_age; }
    float GetWorldX() const { return m_worldX; }
    float GetWorldY() const { return m_worldY; }
    const std::string& GetText() const { return m_text; }
    bool IsPlainNumber() const { return m_plainNumber; }
    // The alpha of the last drawn frame (0..200); the box's rectangle.
    int GetLastAlpha() const { return m_lastAlpha; }

private:
    float m_worldX = 0.0f;
    float m_worldY = 0.0f;
    float m_age = 0.0f;
    CTexturedSprite m_icon;
    std::string m_text;
    bool m_active = false;
    float m_textWidth = 0.0f;
    bool m_plainNumber = false;
    int m_lastAlpha = 0;
    PRect m_rect;
};
