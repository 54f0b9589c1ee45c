// A named handle to a device texture, shared by every drawable that names the same picture file.
// All handles live in one list for the whole run.
#pragma once

#include "platform/video/PTexture.h"

#include <string>
#include <vector>

class CLoadedTexture
{
public:
    CLoadedTexture() = default;
    virtual ~CLoadedTexture();
    CLoadedTexture(const CLoadedTexture&) = delete;
    CLoadedTexture& operator=(const CLoadedTexture&) = delete;

    // The handle of exactly that name, or a new one appended to the list and loaded.
    static CLoadedTexture* FindOrLoad(const std::string& name);
    void Load(const std::string& name);
    void Bind();
    // Deletes every handle (tests, and the end of the run).
    static void DeleteAll();

    std::string m_name;
    PTexture* m_texture = nullptr; // not owned
};

// Every CLoadedTexture, in creation order. The list owns them: they go with it at the end of the run.
std::vector<CLoadedTexture*>& CLoadedTextureList();
// The same list, or null when it was never made or is gone: for the end of the run, which makes nothing.
std::vector<CLoadedTexture*>* FindCLoadedTextureList();
