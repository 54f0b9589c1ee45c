// Named texture handles.
#include "engine/CLoadedTexture.h"

#include "engine/GTextureManager.h"

#include <algorithm>

std::vector<CLoadedTexture*>& CLoadedTextureList()
{
    // Never destroyed: handles may be deleted by other exit-time destructors.
    static auto* list = new std::vector<CLoadedTexture*>();
    return *list;
}

CLoadedTexture::~CLoadedTexture()
{
    auto& list = CLoadedTextureList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

CLoadedTexture* CLoadedTexture::FindOrLoad(const std::string& name)
{
    for (CLoadedTexture* loaded : CLoadedTextureList())
        if (loaded->m_name == name)
            return loaded;
    auto* loaded = new CLoadedTexture();
    CLoadedTextureList().push_back(loaded);
    loaded->Load(name);
    return loaded;
}

void CLoadedTexture::Load(const std::string& name)
{
    m_name = name;
    m_texture = name.empty() ? nullptr : GTextureManager::Instance().GetTexture(name);
}

void CLoadedTexture::Bind()
{
    if (!m_texture)
        GTextureManager::Instance().BindTexture(nullptr);
    else
        GTextureManager::Instance().BindTexture(&m_texture);
}

void CLoadedTexture::DeleteAll()
{
    std::vector<CLoadedTexture*> all = CLoadedTextureList();
    for (CLoadedTexture* loaded : all)
        delete loaded;
}
