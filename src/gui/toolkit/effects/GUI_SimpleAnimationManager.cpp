// Simple animation definitions and their store.
#include "gui/toolkit/effects/GUI_SimpleAnimationManager.h"

#include "engine/core/GFileList.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GStringTokenizer.h"
#include "engine/core/IniLoader.h"

GUI_SimpleAnimationManager& GUI_SimpleAnimationManager::Instance()
{
    return GLifetime::Get<GUI_SimpleAnimationManager>();
}

void ParseSimpleAnimationFile(SimpleAnimation& animation, const std::string& path)
{
    IniLoader ini;
    ini.Load("config", path);
    animation.name = ini.GetValue("Name");
    ini.Load("frames", path);
    for (const IniPair& pair : ini.GetPairs())
    {
        GStringTokenizer fields(pair.value, ',');
        SimpleAnimationFrame frame;
        frame.textureName = fields.GetString();
        frame.duration = fields.GetFloat();
        animation.frames.push_back(std::move(frame));
    }
}

void GUI_SimpleAnimationManager::LoadSimpleAnimations(const std::string& folder)
{
    GFileList files;
    files.Find(folder + "/*.txt");
    for (const std::string& path : files.GetFiles())
    {
        auto animation = std::make_unique<SimpleAnimation>();
        ParseSimpleAnimationFile(*animation, path);
        m_animations.push_back(std::move(animation));
    }
}

SimpleAnimation* GUI_SimpleAnimationManager::FindAnimation(const std::string& name)
{
    if (m_animations.empty())
        LoadSimpleAnimations(m_folder);
    for (const auto& animation : m_animations)
        if (animation->name == name)
            return animation.get();
    return nullptr;
}
