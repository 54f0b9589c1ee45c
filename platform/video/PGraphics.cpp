// The game window handed to the graphics layer and the choice of back end.
#include "platform/video/PGraphics.h"

#include "platform/video/PWindow.h"

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
    // Without an explicit window the device presents to the game's one window.
    if (GraphicsGameWindow())
        return GraphicsGameWindow();
    return PWindow::Instance().Handle();
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
