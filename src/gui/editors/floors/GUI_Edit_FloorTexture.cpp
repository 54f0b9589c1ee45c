// The floor texture picker.
#include "gui/editors/floors/GUI_Edit_FloorTexture.h"

#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/core/GFileList.h"
#include "gui/editors/floors/GUI_Edit_FloorStrip.h"
#include "gui/toolkit/layout/GUI_Layout.h"
#include "gui/toolkit/registry/GUI_WindowRegistry.h"
#include "gui/toolkit/text/GUI_Fonts.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

namespace
{
constexpr uint32_t kPickerBackground = 0xFFFFFFFFu;
constexpr uint32_t kPickerOutline = 0xFF000000u;

bool FloorFileHasDdsExtension(const std::string& path)
{
    static const std::string kExtension = ".dds";
    if (path.size() < kExtension.size())
        return false;
    return std::equal(kExtension.begin(), kExtension.end(), path.end() - static_cast<long>(kExtension.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(b)) == a; });
}

// The picker as the tile properties open it, twelve rows high.
std::unique_ptr<GUI_WindowBase> MakeRegisteredFloorPicker()
{
    auto picker = std::make_unique<GUI_Edit_FloorTexture>([](const std::string&) {});
    picker->SetSize(420.0f,
                    static_cast<float>(2 * GUI_Edit_FloorTexture::kInset + 12 * GUI_Edit_FloorTexture::kRowHeight));
    picker->CentreOnScreen();
    return picker;
}

const GUI_WindowRegistration kFloorPickerRegistration{"floortexturepicker", MakeRegisteredFloorPicker, false};
} // namespace

GUI_Edit_FloorTexture::GUI_Edit_FloorTexture(PickFunction onPick, std::string folder)
    : m_onPick(std::move(onPick)), m_folder(std::move(folder))
{
    m_bar = CreateSubWindow<GUI_ScrollingWindow>(true);
    RebuildRows();
}

void GUI_Edit_FloorTexture::Layout()
{
    m_clientRect = GUI_Layout::Inset(PRect{m_left, m_top, m_right, m_bottom}, kInset);
    m_bar->SetRect(static_cast<float>(m_clientRect.right - 25), static_cast<float>(m_clientRect.top + 5),
                   static_cast<float>(m_clientRect.right - 5), static_cast<float>(m_clientRect.bottom - 5));
    LayoutRows();
}

void GUI_Edit_FloorTexture::RebuildRows()
{
    for (const std::unique_ptr<GUI_WindowBase>& row : m_rows)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row.get());
    m_rows.clear();
    // Every file below the folder (a name pattern alone would leave the sub-folders out), in the
    // listing's fixed order, whatever the case of the extension.
    GFileList files;
    files.Find(m_folder + "/*.*");
    for (const std::string& path : files.m_files)
    {
        if (!FloorFileHasDdsExtension(path))
            continue;
        const size_t slash = path.find_last_of("/\\");
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        m_rows.push_back(std::make_unique<GUI_Edit_FloorStrip>(name, this));
    }
    LayoutRows();
}

void GUI_Edit_FloorTexture::LayoutRows()
{
    for (const std::unique_ptr<GUI_WindowBase>& row : m_rows)
        if (row->GetParent() == this)
            (void)RemoveSubWindow(row.get());
    const int rows = static_cast<int>(m_rows.size());
    const int firstRow = m_bar ? m_bar->GetFirstRow() : 0;
    int y = m_clientRect.top;
    int visible = 0;
    for (int i = std::max(0, firstRow); i < rows && y < m_clientRect.bottom; ++i)
    {
        GUI_WindowBase* strip = m_rows[static_cast<size_t>(i)].get();
        AttachSubWindow(strip);
        strip->SetRect(static_cast<float>(m_clientRect.left), static_cast<float>(y),
                       static_cast<float>(m_clientRect.right - kBarReserve), static_cast<float>(y + kRowHeight));
        if (y + kRowHeight <= m_clientRect.bottom)
            ++visible;
        y += kRowHeight;
    }
    if (m_bar)
        m_bar->SetRows(static_cast<float>(rows), static_cast<float>(visible), std::max(rows - visible, 0));
}

void GUI_Edit_FloorTexture::Update()
{
    GUI_WindowBase::Update();
    FollowScrollBar();
}

void GUI_Edit_FloorTexture::Draw()
{
    FollowScrollBar();
    GD3DDevice& device = GD3DDevice::Instance();
    const PRect area{m_left, m_top, m_right, m_bottom};
    device.FillRect(area, kPickerBackground);
    device.DrawRectLines(area, kPickerOutline);
    GUI_Fonts::SelectSemibold16();
    DrawSubWindows();
    GFontManager& fonts = GFontManager::Instance();
    if (fonts.IsInitialised())
        fonts.Flush();
}

void GUI_Edit_FloorTexture::PickTexture(const std::string& textureName)
{
    if (m_onPick)
        m_onPick(textureName);
}
