// Pointer shapes and the dragged window.
#include "gui/toolkit/windows/GUI_Cursor.h"

#include "engine/CBaseInputManager.h"
#include "engine/GDrawGroup.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "gui/toolkit/windows/GUI_WindowManager.h"
#include "platform/video/PCursor.h"

GUI_Cursor& GUI_Cursor::Instance()
{
    return GLifetime::Get<GUI_Cursor>();
}

GUI_Cursor::GUI_Cursor()
{
    m_cursors[ARROW] = PCursor::CreateSystem(PSystemCursor::Arrow);
    m_cursors[WAIT] = PCursor::CreateSystem(PSystemCursor::Wait);
    m_cursors[HAND] = PCursor::CreateSystem(PSystemCursor::Hand);
    m_cursors[CROSS] = PCursor::CreateSystem(PSystemCursor::Cross);
    PCursorImage image;
    m_deleteCursorLoaded = PCursorFile::Load("data/bitmaps/gui/delete_cursor.cur", image);
    DebugAssert(m_deleteCursorLoaded, "GUI_Cursor", 19);
    if (m_deleteCursorLoaded)
        m_cursors[DELETE_TOOL] = PCursor::CreateFromImage(image);
}

void GUI_Cursor::Update()
{
    if (m_deleteMode)
        m_requested = DELETE_TOOL;
    if (m_requested != m_current)
    {
        m_current = m_requested;
        // Without its file the delete tool keeps the arrow rather than no pointer at all.
        PCursor::Set(m_cursors[m_current] ? m_cursors[m_current] : m_cursors[ARROW]);
    }
    if (GUI_WindowBase* dragged = m_draggedWindow)
    {
        // Closing itself while it draws, the window only hides; it is deleted after the next
        // update, so the drag is still ended on a live window.
        GUI_WindowManager::DispatchScope scope;
        {
            const GDrawGroup group(*dragged);
            dragged->Draw();
        }
        const CBaseInputManager* input = CBaseInputManager::Active();
        if (!input || !input->IsLeftHeld())
        {
            if (dragged->IsDragging())
                dragged->EndDrag();
            m_draggedWindow = nullptr;
        }
    }
    m_requested = ARROW;
}
