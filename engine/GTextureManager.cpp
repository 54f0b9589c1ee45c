// Textures by name: lazy loading from the registered folders, and the stage-0 bind record.
#include "engine/GTextureManager.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/core/GBufferedFile.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "platform/core/PDirectory.h"
#include "platform/core/PFile.h"
#include "platform/video/PImageCodec.h"

#include <unordered_set>

GTextureManager& GTextureManager::Instance()
{
    return GLifetime::Get<GTextureManager>();
}

GTextureManager::~GTextureManager()
{
    DestroyAll();
}

void GTextureManager::AddFolder(const std::string& folder)
{
    for (const std::string& f : m_folders)
        if (f == folder)
            return;
    m_folders.push_back(folder);
    for (const PDirectoryEntry& entry : PDirectory::Find(folder + "\\*.*"))
    {
        if (entry.isDirectory && !entry.name.empty() && entry.name[0] != '.')
            AddFolder(folder + "\\" + entry.name);
    }
}

bool GTextureManager::IsLoaded(const std::string& name) const
{
    return m_index.count(name) != 0;
}

GTexture9* GTextureManager::FindTexture(const std::string& name) const
{
    auto it = m_index.find(name);
    return it == m_index.end() ? nullptr : m_textures[it->second];
}

PTexture* GTextureManager::GetTexture(const std::string& name)
{
    GTexture9* texture = FindTexture(name);
    if (!texture)
    {
        LoadTexture(name);
        texture = FindTexture(name);
    }
    return texture ? texture->m_texture : nullptr;
}

bool GTextureManager::LoadTexture(const std::string& name)
{
    if (name.empty())
    {
        WriteDrawDebugLine("Attempt to create blank texture");
        return false;
    }
    // The device may only be used on the main thread; a worker that names a texture not loaded yet
    // gets none now, and the name stays free for the main thread to load.
    if (!GD3DDevice::Instance().IsOnDeviceThread())
    {
        GDebugLog::Instance().LogError("Texture requested off the main thread: " + name);
        return false;
    }
    for (const std::string& folder : m_folders)
    {
        if (PFile::Exists(PFile::JoinPath(folder, name)))
        {
            LoadTextureFile(name, folder);
            return true;
        }
    }
    return false;
}

void GTextureManager::LoadTextureFile(const std::string& name, const std::string& folder)
{
    auto* texture = new GTexture9();
    texture->m_name = name;
    const std::string path = folder + "\\" + name;
    const MipMode mode = name.find(".jpg") != std::string::npos || path.find("composites") != std::string::npos
                             ? MipMode::FullChain
                             : MipMode::FromFile;
    if (!CreateTextureD3DX(mode, texture, path))
        WriteDrawDebugLine("Error creating texture:[" + name + "]");
    // A failed texture stays registered, so the file is not tried again every frame.
    AddTexture(texture);
}

bool GTextureManager::CreateTextureD3DX(MipMode mode, GTexture9* texture, const std::string& path)
{
    GBufferedFile file;
    file.Load(path);
    PImage image;
    PResult r = PRES_OK;
    ++m_decodes;
    if (!PImageCodec::Decode(file.GetData(), static_cast<size_t>(file.GetSize() > 0 ? file.GetSize() : 0), image))
        r = PRES_INVALIDDATA;
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (!PFailed(r) && !device)
        r = PRES_INVALIDCALL;
    if (!PFailed(r))
    {
        if (mode == MipMode::FullChain)
            image.BuildMipChain();
        r = device->CreateTextureFromImage(image, &texture->m_texture);
    }
    if (PFailed(r))
    {
        texture->m_texture = nullptr;
        LogD3DError(r, "CreateTextureD3DX");
        return false;
    }
    texture->m_width = image.Width();
    texture->m_height = image.Height();
    return true;
}

void GTextureManager::AddTexture(GTexture9* texture)
{
    if (!texture)
        return;
    m_textures.push_back(texture);
    m_index.emplace(texture->m_name, m_textures.size() - 1);
}

void GTextureManager::BindTexture(PTexture* const* field)
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    if (field)
    {
        // Compared with the texture actually bound, not the field's current contents: a field whose
        // texture was replaced since it was bound must reach the device again.
        if (m_bound && m_boundTexture == *field && !m_forceRebind)
            return;
        if (device)
            device->SetTexture(0, *field);
        m_bound = field;
        m_boundTexture = *field;
        m_forceRebind = false;
    }
    else
    {
        if (!m_bound && !m_forceRebind)
            return;
        if (device)
            device->SetTexture(0, nullptr);
        m_bound = nullptr;
        m_boundTexture = nullptr;
        m_forceRebind = false;
    }
}

void GTextureManager::DestroyAll()
{
    std::unordered_set<const PTexture*> gone;
    for (GTexture9* texture : m_textures)
    {
        gone.insert(texture->m_texture);
        delete texture;
    }
    m_textures.clear();
    m_index.clear();
    // Handles that pointed at the destroyed textures now draw untextured instead of reading freed memory.
    if (std::vector<CLoadedTexture*>* handles = FindCLoadedTextureList())
        for (CLoadedTexture* loaded : *handles)
            if (loaded->m_texture && gone.count(loaded->m_texture))
                loaded->m_texture = nullptr;
    m_bound = nullptr;
    m_boundTexture = nullptr;
    m_forceRebind = true;
}
