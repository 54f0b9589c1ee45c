// The floor texture picker: a scrolling list of every floor picture in data/bitmaps/floors (its
// sub-folders too, by bare file name), one strip each with a preview. A click on a strip hands
// that floor to whoever opened the picker; that owner usually closes the window holding it, which
// the window manager defers until the click is over. Main thread only.
#pragma once

#include "gui/toolkit/widgets/GUI_ScrollContainer.h"
#include "gui/toolkit/windows/GUI_WindowBase.h"
#include "platform/video/PGraphicsTypes.h"

#include <functional>
#include <string>

class GUI_Edit_FloorTexture : public GUI_WindowBase, public GUI_ScrollContainer
{
public:
    static constexpr const char* kFloorFolder = "data/bitmaps/floors";
    static constexpr int kRowHeight = 36;
    static constexpr int kInset = 10;
    // The strips end this far left of the client area's right edge, clear of the scroll bar.
    static constexpr int kBarReserve = 30;

    using PickFunction = std::function<void(const std::string& textureName)>;

    // onPick: told the picked floor's file name. folder: where the floors are listed from.
    explicit GUI_Edit_FloorTexture(PickFunction onPick, std::string folder = kFloorFolder);

    // Client area, scroll bar, rows.
    void Layout() override;
    void Update() override;
    void Draw() override;
    // One strip per floor file, in the folder's listing order.
    void RebuildRows() override;
    // From the bar's first row down while a row starts inside the client area; a last row that
    // only partly fits is shown but not counted as visible.
    void LayoutRows() override;

    // A strip was clicked.
    void PickTexture(const std::string& textureName);

private:
    PRect m_clientRect;
    PickFunction m_onPick;
    std::string m_folder;
};
