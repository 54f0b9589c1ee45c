// The mark of a place on the factory's edge where the player may build an import bay or a car
// export: a piece of the hall's wall with an import or an export door, in the look of the building
// zone there, faint while the zone is not bought. Made for every site when a game starts.
// Main thread.
#pragma once

#include "gui/factory/scene/GUI_IsometricSprite.h"

#include <vector>

class IsometricDrawQueue;
class SIM_Tile;
struct FactoryFrameView;
struct SpriteAtlasEntry;

class GUI_PotentialMarker
{
public:
    virtual ~GUI_PotentialMarker() = default;

    // Opaque white, or white at alpha 64 while the site's zone is locked.
    void UpdateTint();
    // Places the door piece over the site and queues it when it is on screen.
    void Draw(const FactoryFrameView& view, IsometricDrawQueue& queue);

    SIM_Tile* GetTile() const { return m_tiles.empty() ? nullptr : m_tiles.front(); }
    const GUI_IsometricSprite& GetMarker() const { return m_marker; }
    // The door picture chosen for the site.
    const std::string& GetTextureName() const { return m_textureName; }
    float GetDepth() const { return m_depth; }

protected:
    // export: the export door family, else the import door family of the site's zone.
    GUI_PotentialMarker(SIM_Tile* site, bool exportDoor);

private:
    std::vector<SIM_Tile*> m_tiles; // the site first; owned by the floor
    GUI_IsometricSprite m_marker;
    float m_offsetX = 0.0f;
    float m_offsetY = 0.0f;
    float m_depth = 0.0f;
    const SpriteAtlasEntry* m_entry = nullptr;
    std::string m_textureName;
};

class GUI_PotentialExport : public GUI_PotentialMarker
{
public:
    explicit GUI_PotentialExport(SIM_Tile* site) : GUI_PotentialMarker(site, true) {}
};

class GUI_PotentialImportBay : public GUI_PotentialMarker
{
public:
    explicit GUI_PotentialImportBay(SIM_Tile* site) : GUI_PotentialMarker(site, false) {}
};
