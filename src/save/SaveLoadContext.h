// What the section readers of one load share: the reader, and which resource objects the file
// has already put somewhere. An object lies in at most one store or queue and is awaited by at
// most one request; a file that names it twice loses the second mention, so no object can be
// consumed in one place while another still holds it.
#pragma once
#include <cstdint>
#include <vector>

class SaveReader;
class SIM_ResourceObject;

class SaveLoadContext
{
public:
    explicit SaveLoadContext(SaveReader& reader);

    // The record a guid names, when the resource objects section restored it; otherwise null,
    // logged with `where`.
    SIM_ResourceObject* RestoredObject(int guid, const char* where);
    // Claims the object for a store or a queue (false, logged, when something already holds it).
    bool ClaimHeld(SIM_ResourceObject* object, const char* where);
    // Claims the object for a request (false, logged, when another request awaits it).
    bool ClaimRequested(SIM_ResourceObject* object, const char* where);
    // Marks a record restored by the resource objects section.
    void MarkRestored(int guid);
    bool IsHeld(int guid) const;
    // Whether a stockpile's request awaits the object (its destination's, as the reader checked).
    bool IsRequested(int guid) const;

    SaveReader& reader;
    int highestGuid = -1;

private:
    std::vector<uint8_t> m_restored;
    std::vector<uint8_t> m_held;
    std::vector<uint8_t> m_requested;
};
