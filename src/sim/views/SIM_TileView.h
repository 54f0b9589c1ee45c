// What the simulation asks of a tile's object in the factory view. The view implements it and
// hangs it on the tile; headless a tile has none and callers skip it.
#pragma once

class SIM_TileView
{
public:
    virtual ~SIM_TileView() = default;

    // A fresh random grey floor and white walls: the look of an open (bought) tile.
    virtual void RandomiseFloorTint() {}
    // Sets the floor texture by name.
    virtual void SetFloorTexture(const char* textureName) { (void)textureName; }
    // Adds a prop at a sub-tile offset (used to show stored resource objects).
    virtual void AddProp(bool flag, const char* spriteName, float value1, float value2, float offsetX, float offsetY)
    {
        (void)flag;
        (void)spriteName;
        (void)value1;
        (void)value2;
        (void)offsetX;
        (void)offsetY;
    }
    // Takes the last prop at that offset off the tile (not deleted by this call).
    virtual void RemovePropAt(float x, float y)
    {
        (void)x;
        (void)y;
    }
    // Deletes every prop of the tile.
    virtual void ClearProps() {}
};
