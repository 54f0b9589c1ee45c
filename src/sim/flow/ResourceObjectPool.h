// What a resource object tells the pool that holds it when it is taken, set moving or freed, so
// that the pool's indices follow the records while the record knows nothing else of the pool; and
// how it asks the pool for its turn at the route search, which the pool serves in order within
// the frames' shares of route searching.
#pragma once

class SIM_ResourceObject;

class ResourceObjectPool
{
public:
    virtual void NoteTaken(const SIM_ResourceObject* object) = 0;
    virtual void NoteInTransit(const SIM_ResourceObject* object) = 0;
    virtual void NoteFreed(const SIM_ResourceObject* object) = 0;
    // The object on its way has no route and its retry time ran out: it looks for one now or
    // when its turn comes (SIM_ResourceObject::RetryRoute).
    virtual void NoteRouteDue(SIM_ResourceObject& object) = 0;

protected:
    ~ResourceObjectPool() = default;
};
