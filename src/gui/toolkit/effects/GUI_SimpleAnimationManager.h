// The store of simple animations, read from data/simpleanims on the first lookup and handed out
// by name to the props that play them.
#pragma once

#include "gui/toolkit/effects/SimpleAnimation.h"

#include <memory>
#include <string>
#include <vector>

class GUI_SimpleAnimationManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kDefaultFolder = "data/simpleanims";

    // The process-wide store. Main thread.
    static GUI_SimpleAnimationManager& Instance();
    virtual ~GUI_SimpleAnimationManager() = default;

    // The first animation of exactly that name, or null. An empty store reads the folder first.
    SimpleAnimation* FindAnimation(const std::string& name);

    // Appends one animation per "*.txt" of the folder, in listing order.
    void LoadSimpleAnimations(const std::string& folder = kDefaultFolder);
    // Empties the store (tests); the next lookup reads the folder again.
    void Clear() { m_animations.clear(); }
    size_t GetCount() const { return m_animations.size(); }
    // Where an empty store reads from (tests point it at their own folder).
    void SetFolder(const std::string& folder) { m_folder = folder; }

private:
    GUI_SimpleAnimationManager() = default;

    std::vector<std::unique_ptr<SimpleAnimation>> m_animations;
    std::string m_folder = kDefaultFolder;
};

// Fills an animation from one definition file: "Name" of section config, then one frame per pair
// of section frames ("texture,milliseconds"; no comma means a duration of 0).
void ParseSimpleAnimationFile(SimpleAnimation& animation, const std::string& path);
