// The screen quad almost every picture of the game is drawn from: four pre-transformed corners in
// pixels, a size, an angle and a colour, placed by its centre; drawn at once, cut to a rectangle, or
// appended to the shared vertex batch.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <cstdint>

class BaseSprite
{
public:
    BaseSprite();
    virtual ~BaseSprite() = default;

    // Point strictly inside the unturned quad.
    virtual bool IsInside(float x, float y);
    // Centres the quad on (x, y), turned by the angle.
    virtual void SetPosition(float x, float y);
    // As SetPosition with whole-degree tables (the angle must lie in 0..359).
    virtual void SetPositionFast(float x, float y);
    // Draws at once with the bound texture (begins a scene when none is open).
    virtual bool Draw();
    // Draws cut to an integer rectangle (unturned quads).
    virtual bool DrawClipped(int left, int top, int right, int bottom);

    void SetColour(int r, int g, int b, int a);
    bool IsOnScreen() const;
    // The same test for an unturned quad with those edges.
    static bool IsRectOnScreen(float left, float top, float right, float bottom);
    void DrawQuad();
    void AddToBatch();

    float m_angle = 0.0f;
    float m_width = 0.0f;
    float m_height = 0.0f;
    PVertex m_vertices[4];
    bool m_noRotation = false;
};

// Cosine and sine of each whole degree 0..359.
extern const float* const CosTable;
extern const float* const SinTable;
