// The store of compiled animations the animated props look up by name. The ".anim" descriptions
// are read once, when the first game (new or loaded) starts.
#pragma once

#include "gui/toolkit/effects/GUI_CompressedAnimation.h"

#include <memory>
#include <string>
#include <vector>

class GUI_AnimationManager
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr const char* kDefaultFolder = "data/animations";

    // The process-wide store. Main thread.
    static GUI_AnimationManager& Instance();
    virtual ~GUI_AnimationManager() = default;

    // The first animation of exactly that name; an unknown name is reported ("Missing Animation")
    // and gives null.
    GUI_CompressedAnimation* Find(const std::string& name) const;

    // Reads every "*.anim" of the folder, unless the store already holds animations. Files that
    // cannot be used are reported and left out.
    void LoadAnimations(const std::string& folder = kDefaultFolder);
    // Empties the store (tests).
    void Clear() { m_animations.clear(); }
    size_t GetCount() const { return m_animations.size(); }

private:
    GUI_AnimationManager() = default;

    std::vector<std::unique_ptr<GUI_CompressedAnimation>> m_animations;
};

// Loads the game's compiled animations once per run (every game start calls it).
void LoadAnimations();
