// The camera as one frame of the factory view sees it: taken once on the main thread before the
// frame's jobs start, and read by every job of the frame, so a job never reads the camera while
// the main thread could change it.
#pragma once

struct FactoryFrameView
{
    float cameraX = 0.0f;
    float cameraY = 0.0f;
    float zoom = 1.0f;
    float screenWidth = 0.0f;
    float screenHeight = 0.0f;
    // The simulation's clocks this frame: milliseconds of game time of the last step (0 while
    // paused) and the total game time.
    float frameTime = 0.0f;
    float gameTime = 0.0f;
    // Elapsed real milliseconds / 16.666666, held within 0.1 .. 4.0 (the in-game mode's factor).
    float frameFactor = 1.0f;

    // Screen position of a world point: (world - camera) x zoom + half the screen.
    float ToScreenX(float worldX) const { return (worldX - cameraX) * zoom + screenWidth * 0.5f; }
    float ToScreenY(float worldY) const { return (worldY - cameraY) * zoom + screenHeight * 0.5f; }

    // The game's camera, screen and clocks now (main thread); frameFactor as given.
    static FactoryFrameView FromCamera(float frameFactor = 1.0f);
};
