// Marks the drawing of one window (or one box on the floor) for the graphics device, so a device
// that checks text can hold every glyph drawn meanwhile to that window's rectangle. Costs nothing
// on a device that does not check. Main thread.
#pragma once

#include "platform/video/PGraphicsTypes.h"

#include <string>

class GUI_BaseElement;

class GDrawGroup
{
public:
    // The element's rectangle, under its name (or its class's name when it has none).
    explicit GDrawGroup(const GUI_BaseElement& element);
    // The element's name, with bounds of its own (a title bar that owns the strip it stands in).
    GDrawGroup(const GUI_BaseElement& element, const PRect& bounds);
    GDrawGroup(const char* name, const PRect& bounds);
    ~GDrawGroup();
    GDrawGroup(const GDrawGroup&) = delete;
    GDrawGroup& operator=(const GDrawGroup&) = delete;

    // The element's name, or its class's readable name when it has none.
    static std::string NameOf(const GUI_BaseElement& element);

private:
    bool m_open = false;
};
