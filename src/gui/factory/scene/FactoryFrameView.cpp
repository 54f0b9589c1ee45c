// The camera snapshot of one frame.
#include "gui/factory/scene/FactoryFrameView.h"

#include "engine/GScreenSize.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "sim/SIM_Game.h"

FactoryFrameView FactoryFrameView::FromCamera(float frameFactor)
{
    const GUI_Camera& camera = GUI_Camera::Instance();
    FactoryFrameView view;
    view.cameraX = camera.GetX();
    view.cameraY = camera.GetY();
    view.zoom = camera.GetZoom();
    view.screenWidth = static_cast<float>(GScreenSize::Width());
    view.screenHeight = static_cast<float>(GScreenSize::Height());
    view.frameTime = SIM_Game::Instance().GetFrameTime();
    view.gameTime = SIM_Game::Instance().GetGameTime();
    view.frameFactor = frameFactor;
    return view;
}
