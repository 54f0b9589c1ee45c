// The research screen.
#include "gui/screens/research/GUI_ResearchDialog.h"

#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "gui/screens/front/FrontEnd.h"
#include "gui/screens/research/GUI_CurrentResearch.h"
#include "gui/screens/research/GUI_TechTree.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/sound/GUI_SoundNames.h"
#include "gui/toolkit/sound/GUI_Sounds.h"
#include "gui/toolkit/text/GUI_Fonts.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"

GUI_ResearchDialog::GUI_ResearchDialog() : GUI_Dialog(true)
{
    s_single.Claim(this);
    SetRect(0.0f, 0.0f, static_cast<float>(GScreenSize::Width()), static_cast<float>(GScreenSize::Height()));
    const PRect client = GetClientRect();

    m_panel = CreateSubWindow<GUI_CurrentResearch>();
    m_panel->SetRect(static_cast<float>(client.left), static_cast<float>(client.top), static_cast<float>(client.right),
                     static_cast<float>(client.top + GUI_CurrentResearch::kHeight));

    m_techTree = CreateSubWindow<GUI_TechTree>();
    m_techTree->SetRect(static_cast<float>(client.left), static_cast<float>(m_panel->GetBottom() + 10),
                        static_cast<float>(client.right), static_cast<float>(client.bottom));
    m_techTree->Build();

    GUI_Sounds& sounds = GUI_Sounds::Instance();
    if (!sounds.IsMuted())
        m_loopSound = sounds.PlaySound(GUI_SoundNames::kResearchLoop, true, true, sounds.EffectVolume() * kLoopVolume);

    SetTitleByKey("RESEARCH_TITLE");

    // The game holds still while the player reads the tree; the speed it had comes back on close.
    FrontEnd::HoldGame();
    m_holding = true;
}

GUI_ResearchDialog::~GUI_ResearchDialog()
{
    ReleaseGame();
}

void GUI_ResearchDialog::ReleaseGame()
{
    s_single.Release(this);
    if (m_loopSound.IsValid())
    {
        GUI_Sounds::Instance().StopSound(m_loopSound);
        m_loopSound = PSoundHandle{};
    }
    if (!m_holding)
        return;
    m_holding = false;
    FrontEnd::ReleaseGame();
}

GUI_ResearchDialog* GUI_ResearchDialog::Show()
{
    // The old screen may only be deleted after this frame's input; it gives the speed back now,
    // so the new screen holds the speed the game really had.
    if (GUI_ResearchDialog* old = s_single.Get())
    {
        old->ReleaseGame();
        old->Close();
    }
    return GUI_WindowManager::Create<GUI_ResearchDialog>();
}

void GUI_ResearchDialog::Draw()
{
    GUI_Dialog::Draw();
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager::Instance().Flush();
}

namespace
{
const GUI_WindowRegistration kResearchScreenRegistration{"research",
                                                         [] { return std::make_unique<GUI_ResearchDialog>(); }, false};
} // namespace
