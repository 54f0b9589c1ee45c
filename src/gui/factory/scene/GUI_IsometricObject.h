// Anything on the factory floor that can stand in front of or behind something else: walls,
// props, markers, stockpile floors, cars, weld sparks. The draw queue sorts them by depth.
#pragma once

class GUI_IsometricObject
{
public:
    // Plain sprites the queue may batch with their neighbours of the same texture.
    static constexpr int kTypeSprite = 1;
    // Objects that draw themselves (flip-book sparks, cars).
    static constexpr int kTypeCustom = 2;

    virtual ~GUI_IsometricObject() = default;
    // Larger is nearer the viewer and drawn later.
    virtual float GetDepth() const { return m_depth; }
    // Draws at once (main thread).
    virtual void Draw() = 0;

    float m_depth = 0.0f;
    int m_type = kTypeCustom;
};
