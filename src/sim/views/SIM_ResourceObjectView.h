// What the factory view shows of one resource object on the overhead conveyors; the simulation
// creates it through the presentation listener and owns it. Null when nothing is attached.
#pragma once

class SIM_ResourceObjectView
{
public:
    virtual ~SIM_ResourceObjectView() = default;
    // The record was reused for another resource: show that resource's sprite.
    virtual void SetResourceSprite() {}
};
