// Named texture handles.
#include "engine/CLoadedTexture.h"

#include "engine/GTextureManager.h"

#include <algorithm>
#include <unordered_map>

namespace
{
// Name to the first handle of that name: sprites name their textures every frame.
std::unordered_map<std::string, CLoadedTexture*>& LoadedTextureIndex()
{
    static auto* index = new std::unordered_map<std::string, CLoadedTexture*>();
    return *index;
}
} // namespace

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
    auto& index = LoadedTextureIndex();
    auto it = index.find(m_name);
    if (it != index.end() && it->second == this)
    {
        index.erase(it);
        for (CLoadedTexture* other : list)
            if (other->m_name == m_name)
            {
                index.emplace(m_name, other);
                break;
            }
    }
}

CLoadedTexture* CLoadedTexture::FindOrLoad(const std::string& name)
{
    auto& index = LoadedTextureIndex();
    auto it = index.find(name);
    if (it != index.end())
        return it->second;
    auto* loaded = new CLoadedTexture();
    CLoadedTextureList().push_back(loaded);
    loaded->Load(name);
    index.emplace(name, loaded);
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
