// The props that change every frame on their own (animated and simple-animation props), spread
// over eight lists so the eight PREDRAWPROPS jobs of a frame step them in parallel. Each prop joins
// the list a rotating counter points at when it is made and leaves it when it is deleted. Plain
// props are not listed: they only need placing when their tile is on screen, which the tile jobs do.
// Main thread, except that each PREDRAWPROPS job reads its own list.
#pragma once

#include <cstddef>
#include <vector>

class GUI_Prop;

class PropRegistry
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kLists = 8;

    static PropRegistry& Instance();

    // Returns the list the prop joined.
    int Register(GUI_Prop* prop);
    void Unregister(GUI_Prop* prop, int list);

    const std::vector<GUI_Prop*>& GetList(int list) const { return m_lists[list]; }

private:
    PropRegistry() = default;

    std::vector<GUI_Prop*> m_lists[kLists]; // not owned
    int m_next = 0;
};
