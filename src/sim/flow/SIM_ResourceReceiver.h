// Where a resource object is delivered: a production slot's input stockpile or a supply
// stockpile. An object reaches its destination only through this, so objects sit below the
// stores that take them in.
#pragma once

class SIM_ResourceObject;
class SIM_Tile;

class SIM_ResourceReceiver
{
public:
    // The tile the object must be brought to.
    virtual SIM_Tile* ReceivingTile() const = 0;
    // An arrival; a store without room releases the object.
    virtual void Receive(SIM_ResourceObject* object) = 0;
    // Removes and frees the request that names the object; true when there was one.
    virtual bool RemoveRequest(SIM_ResourceObject* object) = 0;
    virtual bool HasRequestFor(const SIM_ResourceObject* object) const = 0;

protected:
    ~SIM_ResourceReceiver() = default;
};
