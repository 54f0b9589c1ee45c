// Named texture handles.
#include "engine/CLoadedTexture.h"

#include "engine/GTextureManager.h"
#include "engine/core/GLifetime.h"

#include <algorithm>
#include <unordered_map>

namespace
{
// Every handle, held by the program's owner. The handles are made here and by the texture
// references, and deleted with the list (or earlier by DeleteAll); each leaves the list as it goes.
struct CLoadedTextureRegistry
{
    std::vector<CLoadedTexture*> handles; // owned, in creation order
    // Name to the first handle of that name: sprites name their textures every frame.
    std::unordered_map<std::string, CLoadedTexture*> index;

    CLoadedTextureRegistry() = default;
    CLoadedTextureRegistry(const CLoadedTextureRegistry&) = delete;
    CLoadedTextureRegistry& operator=(const CLoadedTextureRegistry&) = delete;
    ~CLoadedTextureRegistry()
    {
        while (!handles.empty())
            delete handles.back();
    }
};

std::unordered_map<std::string, CLoadedTexture*>& LoadedTextureIndex()
{
    return GLifetime::Get<CLoadedTextureRegistry>().index;
}
} // namespace

std::vector<CLoadedTexture*>& CLoadedTextureList()
{
    return GLifetime::Get<CLoadedTextureRegistry>().handles;
}

std::vector<CLoadedTexture*>* FindCLoadedTextureList()
{
    CLoadedTextureRegistry* registry = GLifetime::Find<CLoadedTextureRegistry>();
    return registry ? &registry->handles : nullptr;
}

CLoadedTexture::~CLoadedTexture()
{
    // A handle that outlives the list at the end of the run has no list left to leave.
    CLoadedTextureRegistry* registry = GLifetime::Find<CLoadedTextureRegistry>();
    if (!registry)
        return;
    auto& list = registry->handles;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    auto& index = registry->index;
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
