// What a resource object tells the pool that holds it when it is taken, set moving or freed, so
// that the pool's indices follow the records while the record knows nothing else of the pool.
#pragma once

class SIM_ResourceObject;

class ResourceObjectPool
{
public:
    virtual void NoteTaken(const SIM_ResourceObject* object) = 0;
    virtual void NoteInTransit(const SIM_ResourceObject* object) = 0;
    virtual void NoteFreed(const SIM_ResourceObject* object) = 0;

protected:
    ~ResourceObjectPool() = default;
};
