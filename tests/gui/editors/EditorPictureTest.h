// Set-up shared by the editors' picture tests: OpenGL at a screen size of the test's choosing,
// the game's fonts, a mouse under the test's control and the windows run as the game runs them.
#pragma once

#include "EditorTestSupport.h"

#include "engine/GScreenSize.h"
#include "tests/engine/FontTestSupport.h"
#include "tests/gui/toolkit/effects/EffectsTestSupport.h"

class EditorPictureTest : public GLRenderTest
{
protected:
    void SetUp() override
    {
        GLRenderTest::SetUp();
        if (IsSkipped())
            return;
        LoadGameFontsForTest();
        m_world.Install();
        GScreenSize::Set(ViewWidth(), ViewHeight());
        GGameServices::Install(&m_services);
    }
    void TearDown() override
    {
        m_world.Remove();
        GLRenderTest::TearDown();
    }

    ToolkitTestWorld m_world;
    EditorTestGame m_game;
    EditorTestServices m_services;
};
