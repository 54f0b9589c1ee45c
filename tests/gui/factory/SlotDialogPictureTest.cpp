// The slot information dialog of a running engine shop as the player sees it beside the slot:
// status, needs against the stock, the stockpile cells, staff and the state pie.
#include "FactoryViewTestSupport.h"

#include "engine/GD3DDevice.h"
#include "gui/factory/dialogs/GUI_SlotEfficiency.h"
#include "gui/factory/dialogs/GUI_SlotTooltip.h"
#include "gui/factory/objects/GUI_FloatingValue.h"
#include "gui/factory/scene/ViewRandom.h"
#include "gui/factory/slots/GUI_ProductionSlot.h"
#include "gui/toolkit/charts/GUI_PieChart.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/definitions/SIM_ResourceManager.h"
#include "sim/flow/SIM_ResourceObjManager.h"
#include "sim/flow/SIM_ResourceObject.h"
#include "sim/flow/SIM_ResourceStockpile.h"
#include "sim/slots/SIM_ProductionSlot.h"
#include "sim/slots/SlotState.h"

TEST_F(FactoryPictureTest, SlotDialogOfARunningStation)
{
    ViewRandom::SetSourceForTests([] { return 0.25f; });
    InitPieChartColours();
    ASSERT_TRUE(m_world.StartGame("view_hall"));
    SIM_ProductionSlot* station = m_world.Place("task_make_engine", 3, 4);
    ASSERT_NE(station, nullptr);
    // Some stock held and some on its way; the last 30 seconds mostly running.
    const char* held[] = {"steel_sheet", "steel_sheet", "steel_sheet", "steel_sheet", "aluminium_bar"};
    for (int i = 0; i < 5; ++i)
    {
        SIM_ResourceObject* object = SIM_ResourceObjManager::Instance().Allocate();
        object->Init(SIM_ResourceManager::Instance().GetResource(held[i]), nullptr, 0.0f, 0.0f);
        object->m_placeIndex = i;
        station->GetInputStockpile()->LoadObject(object);
    }
    station->SetState(INSUFFICIENT_RESOURCES);
    FactoryWorld::AdvanceClock(10000.0f);
    station->SetState(RUNNING);
    FactoryWorld::AdvanceClock(20000.0f);
    FactoryWorld::LookAt(m_world.Tile(5, 4), 1.0f);
    for (int i = 0; i < 40; ++i)
    {
        FactoryWorld::AdvanceClock(16.666666f);
        m_world.Frame();
    }
    ClearParticleEmitters();
    GUI_FloatingValue::ResetPool();
    GUI_SlotTooltip* dialog = GUI_SlotTooltip::Show(*dynamic_cast<GUI_ProductionSlot*>(station->GetGuiSlot()));
    ASSERT_NE(dialog, nullptr);
    // Every slice at its full size at once, so the picture does not depend on timing.
    dialog->GetEfficiency()->GetPie()->SetGrowEnabled(false);

    GD3DDevice::Instance().GetDevice()->Clear(0xFF101418u);
    m_world.Frame();
    GUI_WindowManager::Instance().Draw();
    CompareWithReference(ReadBack(), std::string(FV_TEST_DIR) + "/gui/factory/reference/slot_dialog.png");
}
