// The pictures the factory scene draws from most (prop and animation sheets, conveyor arms,
// stockpile plates, walls) copied side by side into a few large textures, made when a game's view
// is built. The draw queue draws a sprite of such a picture from its copy, so neighbouring props
// of different sheets no longer need a draw each: a crowded line of stations goes to the card in
// a handful of draws.
//
// The picture is the same: every copy keeps its texels at whole-texel offsets and a one-texel
// border that repeats its edge, so linear filtering reads exactly what the original texture,
// clamped at its edges, gives. Only pictures of one level (no mip chain) are taken. The draw queue
// keeps the scene's pages; the factory view keeps a second set for the flat pictures drawn over the
// scene (notices, label icons), so they have room whatever the scene's pages hold. Main thread.
#pragma once

#include "engine/GQuadBatchScope.h"
#include <algorithm>
#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

class CLoadedTexture;
class PTexture;

class SceneTexturePages
{
public:
    // Where a picture's copy lies: its page (the place's texture), and u' = u x scaleU + offsetU
    // (likewise v); the same place the 2D quad batch draws copies from.
    using Place = GQuadBatchScope::Place;

    SceneTexturePages() = default;
    // The pages go with their owner. The pictures' handles are left alone: at the end of the run
    // the texture store may have let them go first.
    ~SceneTexturePages();
    SceneTexturePages(const SceneTexturePages&) = delete;
    SceneTexturePages& operator=(const SceneTexturePages&) = delete;

    // Copies the pictures (in the order given, as far as the memory allowance goes) into pages.
    // When every one is copied already the pages stay as they are (the game keeps them from game
    // to game); otherwise they are made anew from these pictures alone.
    void Build(const std::vector<CLoadedTexture*>& textures);
    // Any thread, while no page is built: the copy of a picture, or null when it has none.
    const Place* Lookup(const CLoadedTexture* texture) const
    {
        if (!m_enabled)
            return nullptr;
        auto it = m_places.find(texture);
        return it == m_places.end() ? nullptr : &it->second;
    }
    // The last few pictures one thread asked for, with the copies' generation they were found in.
    struct Memo
    {
        static constexpr int kSize = 8;
        unsigned long long generation = ~0ull;
        int count = 0;
        int next = 0;
        const CLoadedTexture* textures[kSize] = {};
        const Place* places[kSize] = {};
    };
    // Lookup through a thread's own memo: the tile jobs ask for the same handful of conveyor
    // pictures tens of thousands of times a frame zoomed far out. Any thread, while no page is built.
    const Place* Lookup(const CLoadedTexture* texture, Memo& memo) const
    {
        if (memo.generation != m_generation)
        {
            memo.generation = m_generation;
            memo.count = 0;
            memo.next = 0;
        }
        for (int i = 0; i < memo.count; ++i)
            if (memo.textures[i] == texture)
                return memo.places[i];
        const Place* place = Lookup(texture);
        memo.textures[memo.next] = texture;
        memo.places[memo.next] = place;
        memo.next = (memo.next + 1) % Memo::kSize;
        memo.count = std::min(memo.count + 1, Memo::kSize);
        return place;
    }
    // The same on the main thread, remembering the last picture asked for.
    const Place* Find(const CLoadedTexture* texture) const
    {
        if (!m_enabled)
            return nullptr;
        if (texture == m_lastTexture)
            return m_lastPlace;
        auto it = m_places.find(texture);
        m_lastTexture = texture;
        m_lastPlace = it == m_places.end() ? nullptr : &it->second;
        return m_lastPlace;
    }
    size_t GetPictureCount() const { return m_places.size(); }
    // How many times the pages were made, every picture copied anew.
    int GetBuildCount() const { return m_builds; }
    // Frees the pages (the device or the texture store is going away; tests).
    void Release();
    // Turns the copies off (nothing is found) or on again (tests compare both pictures).
    void SetEnabled(bool enabled)
    {
        m_enabled = enabled;
        ++m_generation;
        m_lastTexture = nullptr;
        m_lastPlace = nullptr;
    }

private:
    std::vector<PTexture*> m_pages; // owned
    std::vector<CLoadedTexture*> m_pageHandles;
    std::unordered_map<const CLoadedTexture*, Place> m_places;
    std::vector<CLoadedTexture*> m_taken; // in the order they were given
    mutable const CLoadedTexture* m_lastTexture = nullptr;
    mutable const Place* m_lastPlace = nullptr;
    bool m_enabled = true;
    // Moves on whenever the copies change, so no thread's memo outlives what it points into.
    unsigned long long m_generation = 0;
    int m_builds = 0;
};
