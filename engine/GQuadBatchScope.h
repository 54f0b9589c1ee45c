// A stretch of 2D drawing whose plain rectangles, line quads and sprites are gathered into the
// shared quad batch instead of going to the card one draw each. Zoomed far out, a large factory
// shows thousands of notices and labels over the scene, each a stem, a circle and a symbol or a
// framed box; drawn one by one they cost more than the whole scene beneath them.
//
// The picture stays the same. The quads keep their order: the batch draws a run whenever the
// texture changes, and anything drawn another way inside the scope (text, line strips) sends the
// run first. A picture is drawn from another texture only where the places given hold an exact
// copy of it, and a plain colour only from a texel that is pure white. Main thread; one scope at a
// time.
#pragma once

#include "platform/video/PGraphicsTypes.h"

class CLoadedTexture;

class GQuadBatchScope
{
public:
    // Where a picture's copy lies: u' = u x scaleU + offsetU (likewise v). The place of a plain
    // colour points at a white texel with both scales 0.
    struct Place
    {
        CLoadedTexture* texture = nullptr;
        float scaleU = 1.0f, scaleV = 1.0f, offsetU = 0.0f, offsetV = 0.0f;

        // A corner of the original moved onto the copy.
        void Map(const PVertex& original, PVertex& copy) const
        {
            copy.u = original.u * scaleU + offsetU;
            copy.v = original.v * scaleV + offsetV;
        }
    };
    // Who knows the copies: asked with a picture, or with null for a plain colour; false when
    // there is no copy (a picture is then drawn from its own texture).
    class Places
    {
    public:
        virtual ~Places() = default;
        virtual bool Find(const CLoadedTexture* picture, Place& place) const = 0;
    };

    // Opens the scope; places must outlive it. A scope opened inside another gathers nothing.
    explicit GQuadBatchScope(const Places& places);
    // Draws what is still gathered.
    ~GQuadBatchScope();
    GQuadBatchScope(const GQuadBatchScope&) = delete;
    GQuadBatchScope& operator=(const GQuadBatchScope&) = delete;

    // The scope open now, or null.
    static GQuadBatchScope* Current();
    // Gathers one quad (corners top left, top right, bottom left, bottom right) of a picture, or of
    // a plain colour when picture is null; false when it cannot be gathered and must be drawn at
    // once as before (what was gathered is drawn first then).
    bool Add(const CLoadedTexture* picture, const PVertex* corners);
    // The same only where the places hold a copy of the picture; false, with nothing drawn, where
    // they do not (the caller keeps drawing it its own way).
    bool AddCopied(const CLoadedTexture* picture, const PVertex* corners);
    // Draws what the open scope gathered; does nothing without one. Called by every 2D path that
    // draws another way before it draws.
    static void FlushCurrent();
    // Quads gathered since the scope opened (tests).
    int GetGathered() const { return m_gathered; }

private:
    // Gathers a quad drawn from where place says; false (after drawing what waits) without a texture.
    bool AddAt(const Place& place, const PVertex* corners);

    const Places& m_places;
    bool m_open = false;
    int m_gathered = 0;
};
