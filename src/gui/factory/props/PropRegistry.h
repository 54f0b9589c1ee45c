// The props that change every frame on their own (animated and simple-animation props), spread
// over eight lists so the eight PREDRAWPROPS jobs of a frame step them in parallel. Each prop joins
// the list a rotating counter points at when it is made and leaves it, without a search, when it is
// deleted (the end of a game deletes thousands). Plain props are not listed: they only need placing
// when their tile is on screen, which the tile jobs do.
// Main thread, except that each PREDRAWPROPS job reads its own list.
#pragma once

#include "engine/core/GRoster.h"

#include <cstddef>
#include <vector>

class GUI_Prop;

// Where a listed prop stands: which list, and its place on it.
struct PropListing
{
    int list = -1;
    GRosterPlace place;
};

class PropRegistry
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr int kLists = 8;

    static PropRegistry& Instance();

    // The prop joins the next list; the listing says where it stands.
    void Register(GUI_Prop* prop, PropListing& listing);
    void Unregister(PropListing& listing);

    // Order within a list does not matter: every prop is stepped on its own.
    const std::vector<GUI_Prop*>& GetList(int list) const { return m_lists[list].Members(); }

private:
    PropRegistry() = default;

    GRoster<GUI_Prop, false> m_lists[kLists]; // not owned
    int m_next = 0;
};
