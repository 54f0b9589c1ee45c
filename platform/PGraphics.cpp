// The game window handed to the graphics layer and the choice of back end.
#include "platform/PGraphics.h"

namespace
{
PWindowHandle& GraphicsGameWindow()
{
    static PWindowHandle window = nullptr;
    return window;
}

PGraphics::SystemFactory& GraphicsFactory()
{
    static PGraphics::SystemFactory factory;
    return factory;
}
} // namespace

void PGraphics::SetGameWindow(PWindowHandle window)
{
    GraphicsGameWindow() = window;
}

PWindowHandle PGraphics::GetGameWindow()
{
    return GraphicsGameWindow();
}

PGraphicsSystem* PGraphics::CreateSystem(PWindowHandle window)
{
    if (GraphicsFactory())
        return GraphicsFactory()(window);
    return CreateGLSystem(window);
}

void PGraphics::SetSystemFactory(SystemFactory factory)
{
    GraphicsFactory() = std::move(factory);
}
