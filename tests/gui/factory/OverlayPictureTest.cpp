// What is drawn over the scene: a cluster of slot notices, warnings and errors, and an import
// bay's label with two kinds waiting, zoomed far out (symbols) and closer in (boxes overlapping).
// Drawn from the overlay's pages they go to the card in a few draws and look as they do drawn one
// by one from their own textures.
#include "FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "gui/factory/notices/GUI_ConveyorLabel.h"
#include "gui/factory/notices/GUI_Notice.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/scene/SceneTexturePages.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/view/GUI_Factory.h"
#include "gui/toolkit/camera/GUI_Camera.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "platform/video/PGLDevice.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceConveyorManager.h"
#include "sim/flow/SIM_ResourceImportBay.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/slots/SIM_ProductionSlot.h"

TEST_F(FactoryPictureTest, NoticesAndBayLabelsFarOutGoInAFewDrawsAndLookTheSame)
{
    ViewRandom::SetSourceForTests([] { return 0.25f; });
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    ASSERT_NE(m_world.Place("task_resource_importer", 1, 5), nullptr);
    SIM_ResourceImportBay* bay = SIM_ResourceConveyorManager::Instance().GetImportBayOn(m_world.Tile(1, 5));
    ASSERT_NE(bay, nullptr);
    for (const char* name : {"copper_wire", "steel_sheet", "copper_wire"})
    {
        SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
        object->Init(SIM_ResourceManager::Instance().GetResource(name), nullptr, 0.0f, 0.0f);
        bay->Enqueue(object);
    }
    // Neighbouring slots whose notices overlap far out, warnings and errors taking turns, so the
    // order they are drawn in shows.
    int kind = 1;
    int notices = 0;
    for (int y = 2; y <= 6; y += 2)
        for (int x = 3; x <= 9; x += 3)
            if (SIM_ProductionSlot* slot = m_world.Place("task_make_axles", x, y))
                if (auto* notice = dynamic_cast<GUI_Notice*>(slot->GetNotice()))
                {
                    notice->SetKind(kind);
                    kind = kind == 1 ? 2 : 1;
                    ++notices;
                }
    ASSERT_GE(notices, 4);
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    FactoryWorld::LookAt(m_world.Tile(5, 4), GUI_Camera::Instance().GetMinZoom());
    ASSERT_LE(GUI_Camera::Instance().GetZoom(), 0.125f) << "far enough out for the notices' symbols";
    CompareFrame("overlays_far");

    auto* gl = dynamic_cast<PGLDevice*>(GD3DDevice::Instance().GetDevice());
    ASSERT_NE(gl, nullptr);
    GUI_Factory& view = GUI_Factory::Instance();
    PImage frames[2];
    long long draws[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        GUI_Factory::Instance().GetOverlayPages().SetEnabled(i == 0);
        GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
        m_world.Frame();
        frames[i] = ReadBack();
        // The overlays once more over the finished frame, counted alone.
        const long long before = gl->DrawCallCount();
        view.DrawLabels();
        view.DrawNotices();
        draws[i] = gl->DrawCallCount() - before;
    }
    GUI_Factory::Instance().GetOverlayPages().SetEnabled(true);
    // From the pages: the label's box, frame and icons, its text, its stem, and then every notice;
    // one by one: a draw for each stem, frame side, circle and plain fill.
    EXPECT_LE(draws[0], 4);
    EXPECT_GE(draws[1], 3LL * notices);
    ExpectSamePicture(frames[0], frames[1]);

    // Closer in the notices show their boxes, outlines and texts, drawn as they were notice by
    // notice; boxes and texts that overlap nothing of each other go together.
    FactoryWorld::LookAt(m_world.Tile(5, 4), 0.25f);
    CompareFrame("overlays_quarter");
    const long long before = gl->DrawCallCount();
    view.DrawNotices();
    // Here none overlap: all the boxes in one draw, all the texts in another.
    EXPECT_LE(gl->DrawCallCount() - before, 2);
}
