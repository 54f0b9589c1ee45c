// The registry of every texture the game has loaded, the folders searched for picture files, and the
// record of the texture bound for drawing, used to skip redundant binds.
#pragma once

#include "engine/GTexture9.h"

#include <string>
#include <unordered_map>
#include <vector>

class GTextureManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    // How many mip levels a loaded texture gets.
    enum class MipMode
    {
        FromFile, // the levels stored in the file (1 for PNG and JPEG)
        FullChain,
    };

    static GTextureManager& Instance();
    virtual ~GTextureManager();

    void AddFolder(const std::string& folder);
    bool IsLoaded(const std::string& name) const;
    GTexture9* FindTexture(const std::string& name) const;
    PTexture* GetTexture(const std::string& name);
    bool LoadTexture(const std::string& name);
    void LoadTextureFile(const std::string& name, const std::string& folder);
    bool CreateTextureD3DX(MipMode mode, GTexture9* texture, const std::string& path);
    void AddTexture(GTexture9* texture);
    // field: the address of a texture pointer (its current contents are bound), or null to unbind.
    void BindTexture(PTexture* const* field);
    // Makes the next bind or unbind reach the device (after someone changed it behind our back).
    void SetForceRebind() { m_forceRebind = true; }
    // Destroys every texture and empties the registry (the device is going away).
    void DestroyAll();
    // Forgets the folders, so that adding one again lists its sub-folders as they are now, from
    // the current folder (tools and tests).
    void ForgetFolders() { m_folders.clear(); }

    const std::vector<std::string>& GetFolders() const { return m_folders; }
    int GetTextureCount() const { return static_cast<int>(m_textures.size()); }
    // How many picture files were decoded since the start: pictures the game keeps are decoded once.
    int GetDecodeCount() const { return m_decodes; }

private:
    GTextureManager() = default;
    GTextureManager(const GTextureManager&) = delete;
    GTextureManager& operator=(const GTextureManager&) = delete;

    std::vector<std::string> m_folders;
    std::vector<GTexture9*> m_textures;
    // Name to the index of the first texture of that name: lookups happen every frame.
    std::unordered_map<std::string, size_t> m_index;
    PTexture* const* m_bound = nullptr;
    const PTexture* m_boundTexture = nullptr; // what the device has on stage 0
    bool m_forceRebind = true;
    int m_decodes = 0;
};
