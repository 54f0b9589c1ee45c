// Loading compiled animations and finding them by name.
#include "gui/toolkit/effects/GUI_AnimationManager.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"

GUI_AnimationManager& GUI_AnimationManager::Instance()
{
    return GLifetime::Get<GUI_AnimationManager>();
}

void GUI_AnimationManager::LoadAnimations(const std::string& folder)
{
    if (!m_animations.empty())
        return;
    GFileList files;
    files.Find(folder + "/*.anim");
    for (const std::string& path : files.GetFiles())
    {
        auto animation = std::make_unique<GUI_CompressedAnimation>();
        if (animation->Load(path))
            m_animations.push_back(std::move(animation));
        else
            GDebugLog::Instance().LogError("Compressed animation left out: " + path);
    }
}

GUI_CompressedAnimation* GUI_AnimationManager::Find(const std::string& name) const
{
    for (const auto& animation : m_animations)
        if (animation->GetName() == name)
            return animation.get();
    FV_ERROR_BOX("Missing Animation: [" + name + "]");
    return nullptr;
}

void LoadAnimations()
{
    GUI_AnimationManager::Instance().LoadAnimations();
}
