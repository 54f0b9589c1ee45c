// The game-over dialog.
#include "gui/screens/game/GUI_GameOver.h"

#include "engine/GFontManager.h"
#include "engine/core/GTextTable.h"
#include "gui/screens/game/GUI_Game.h"
#include "gui/screens/game/GUI_SpeedControls.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/text/GUI_TextContainer.h"
#include "gui/toolkit/widgets/GUI_ButtonText.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "sim/SIM_Game.h"

namespace
{
const GUI_WindowRegistration kGameOverRegistration{"gameover", [] { return std::make_unique<GUI_GameOver>(); }, true};
} // namespace

GUI_GameOver::GUI_GameOver() : GUI_Dialog(false)
{
    s_single.Claim(this);
    m_ok = CreateChild<GUI_ButtonText>("GUI_GAMEOVER_OK", [] { OnOk(); });
    m_description = CreateSubWindow<GUI_TextContainer>();
    SetSize(900.0f, 500.0f);
    CentreOnScreen();
    SetTitleByKey("GAME_OVER_TITLE");
    AddToWindowManager();
    ShowModal();
    // The clock stops for good: nothing saves the speed, so nothing can bring it back.
    SIM_Game::Instance().SetSpeed(0.0f);
    GUI_SpeedControls::SyncIfOpen();
}

GUI_GameOver::~GUI_GameOver()
{
    s_single.Release(this);
}

void GUI_GameOver::Layout()
{
    const PRect& client = GetClientRect();
    m_ok->SetRect(static_cast<float>(client.left), static_cast<float>(client.bottom - 30),
                  static_cast<float>(client.right), static_cast<float>(client.bottom));
    if (GFontManager::Instance().IsInitialised())
        GUI_Fonts::SelectSemibold16();
    m_description->SetText(GTextTable::GetText("GAME_OVER_DESC"), static_cast<float>(client.left),
                           static_cast<float>(client.top), static_cast<float>(client.right),
                           static_cast<float>(client.top + 48));
}

void GUI_GameOver::Draw()
{
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

GUI_GameOver* GUI_GameOver::Show()
{
    s_single.CloseOpen();
    return GUI_WindowManager::Create<GUI_GameOver>();
}

void GUI_GameOver::OnOk()
{
    // The button belongs to this dialog: it goes once the click is fully handled.
    s_single.CloseOpen();
    GUI_Game::EndGame();
}
