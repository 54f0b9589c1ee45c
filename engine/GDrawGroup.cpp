// Drawing groups for the text check.
#include "engine/GDrawGroup.h"

#include "engine/GD3DDevice.h"
#include "engine/GUI_BaseElement.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace
{
PGraphicsDevice* CheckingDevice()
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    return device && device->ChecksText() ? device : nullptr;
}
} // namespace

GDrawGroup::GDrawGroup(const GUI_BaseElement& element)
{
    if (PGraphicsDevice* device = CheckingDevice())
    {
        device->BeginGroup(NameOf(element),
                           PRect{element.GetLeft(), element.GetTop(), element.GetRight(), element.GetBottom()});
        m_open = true;
    }
}

GDrawGroup::GDrawGroup(const GUI_BaseElement& element, const PRect& bounds)
{
    if (PGraphicsDevice* device = CheckingDevice())
    {
        device->BeginGroup(NameOf(element), bounds);
        m_open = true;
    }
}

GDrawGroup::GDrawGroup(const char* name, const PRect& bounds)
{
    if (PGraphicsDevice* device = CheckingDevice())
    {
        device->BeginGroup(name, bounds);
        m_open = true;
    }
}

GDrawGroup::~GDrawGroup()
{
    if (!m_open)
        return;
    if (PGraphicsDevice* device = GD3DDevice::Instance().GetDevice())
        device->EndGroup();
}

std::string GDrawGroup::NameOf(const GUI_BaseElement& element)
{
    if (!element.GetName().empty())
        return element.GetName();
    const char* mangled = typeid(element).name();
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                          std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(mangled);
}
