#include "devices/color_select_wnd.h"

#include "devices/colour_channel_text.h"
#include "devices/colour_option_file.h"
#include "devices/colour_slot_ui.h"
#include "devices/indexed_name.h"
#include "devices/quiet_controls.h"
#include "platform/debug_log.h"
#include "ui/color_palette_ui.h"
#include "ui/control_look.h"

#include <QLayout>
#include <QLineEdit>

#include <algorithm>

using namespace q31::devices;

namespace {

const QString kPresetPrefix = QStringLiteral("color_option_");
const QString kCollectedPrefix = QStringLiteral("collect_color_option_");
const QString kMultiColourImage = QStringLiteral("common/base1.png");
constexpr DWORD kEmptySlotColour = 0xFFFFFFFF;
constexpr int kEmptySlotBorder = 1;
constexpr DWORD kOpaque = 0xFF000000;
const char* const kChannelEdits[] = {"color_edit_r", "color_edit_g", "color_edit_b"};

QString Indexed(const QString& prefix, int index)
{
    return prefix + QString::number(index);
}

bool IsChannelEdit(const QString& name)
{
    return std::any_of(std::begin(kChannelEdits), std::end(kChannelEdits),
                       [&name](const char* edit) { return name == QLatin1String(edit); });
}

int ChannelOf(DWORD colour, int channel)
{
    return int((colour >> (16 - 8 * channel)) & 0xFF);
}

void SetSlotColours(COptionUI* slot, DWORD colour)
{
    slot->SetBkColor(colour);
    slot->setProperty("selectedbkcolor", QLatin1Char('#') + ColourHexText(colour));
}

void SetSlotBorder(COptionUI* slot, int size)
{
    if (auto* framed = qobject_cast<CColourSlotUI*>(slot))
        framed->SetBorderSize(size);
}

}  // namespace

void CColorSelectWnd::InitWindow()
{
    m_palette = m_pm.FindControl<CColorPaletteUI>(QStringLiteral("Pallet"));
    m_preview = m_pm.FindControl<CButtonUI>(QStringLiteral("color_show_btn"));
}

QWidget* CColorSelectWnd::CreateControl(const QString& className, QWidget* parent)
{
    if (className == QLatin1String("ColourSlot") || className == QLatin1String("CColourSlotUI"))
        return new CColourSlotUI(parent);
    return nullptr;
}

void CColorSelectWnd::SetWindowDpi(int dpi)
{
    if (dpi == m_dpi)
        return;
    m_dpi = SetStepDpi(dpi, QSize(kWidth, kHeight));
}

void CColorSelectWnd::SetCurrentColour(DWORD colour)
{
    if (m_preview) {
        m_preview->setProperty("bkimage", QString());
        m_preview->SetBkColor(colour);
    }
    SetPaletteColour(colour);
    m_currentColour = colour;
    ShowChannels(colour);
}

void CColorSelectWnd::SetMultiColourAvailable(bool available)
{
    auto* option = m_pm.FindControl<COptionUI>(QStringLiteral("7color"));
    if (option)
        option->setEnabled(available);
    if (QWidget* layout = m_pm.FindControl(QStringLiteral("7color_layout")))
        layout->setVisible(available);
    if (!available) {
        m_multiColour = false;
        ShowSelected(option, false);
    }
}

void CColorSelectWnd::Notify(TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    const std::optional<IndexedName> split = SplitIndexedName(name);
    const QString prefix = split ? split->prefix : QString();
    if (msg.sType == QLatin1String("windowinit")) {
        OnWindowInit();
    } else if (msg.sType == QLatin1String("colorchanged") && msg.pSender == m_palette) {
        OnPaletteChanged();
    } else if (msg.sType == QLatin1String("selectchanged") && msg.wParam != 0) {
        if (prefix == kPresetPrefix)
            OnPresetSelected(split->number);
        else if (prefix == kCollectedPrefix)
            OnCollectedSelected(split->number);
    } else if (msg.sType == QLatin1String("killfocus")) {
        if (IsChannelEdit(name))
            OnEditsLeft();
    } else if (msg.sType == QLatin1String("click")) {
        if (auto* option = qobject_cast<COptionUI*>(msg.pSender); option && name == QLatin1String("7color"))
            ShowMultiColour(option->IsSelected());
        else if (name == QLatin1String("okbtn"))
            OnOk();
        else if (name == QLatin1String("closebtn") || name == QLatin1String("laterbtn"))
            Close(kCancelled);
        else if (name == QLatin1String("minbtn"))
            ChangeWindowState(Qt::WindowMinimized);
        else if (name == QLatin1String("maxbtn"))
            ChangeWindowState(Qt::WindowMaximized);
        else if (name == QLatin1String("restorebtn"))
            ChangeWindowState(Qt::WindowNoState);
    }
}

LRESULT CColorSelectWnd::HandleMessage(UINT message, WPARAM, LPARAM)
{
    if (message == kLanguageChanged) {
        if (QWidget* root = m_pm.GetRoot(); root && root->layout())
            root->layout()->invalidate();
        if (QWidget* host = GetHWND())
            host->update();
    }
    return 0;
}

void CColorSelectWnd::OnWindowInit()
{
    const Json::Value document = LoadColourOptionFile();
    SetCurrentColour(m_currentColour);
    ShowMultiColour(m_multiColour);
    LoadPresets(document);
    LoadCollectedSlots(document);
}

void CColorSelectWnd::LoadPresets(const Json::Value& document)
{
    // The swatches keep the layout's colours; only the last choice is remembered.
    if (const std::optional<int> stored = StoredPresetIndex(document))
        m_selectedPreset = *stored;
}

void CColorSelectWnd::LoadCollectedSlots(const Json::Value& document)
{
    for (const q31::devices::CollectedSlot& stored : StoredCollectedSlots(document)) {
        COptionUI* slot = CollectedSlot(stored.index);
        if (!slot)
            continue;
        SetSlotColours(slot, kEmptySlotColour);
        q31::ui::SetUserData(slot, stored.userData);
        if (HoldsColour(stored.userData)) {
            SetSlotColours(slot, stored.colour);
            SetSlotBorder(slot, 0);
        }
    }
    // No slot takes the next colour until the user picks one.
    if (HasStoredCollectedSelection(document))
        m_selectedCollected = -1;
}

void CColorSelectWnd::SavePresets() const
{
    std::vector<PresetSwatch> swatches;
    for (int i = 0; i < kColourSwatchCount; ++i)
        if (const COptionUI* swatch = Preset(i))
            swatches.push_back({i, swatch->GetBkColor()});
    q31::devices::SavePresets(swatches, m_selectedPreset);
}

void CColorSelectWnd::SaveCollectedSlots() const
{
    std::vector<q31::devices::CollectedSlot> collected;
    for (int i = 0; i < kColourSwatchCount; ++i)
        if (const COptionUI* slot = CollectedSlot(i))
            collected.push_back({i, slot->GetBkColor(), q31::ui::GetUserData(slot)});
    q31::devices::SaveCollectedSlots(collected, m_selectedCollected);
}

void CColorSelectWnd::OnPaletteChanged()
{
    m_currentColour = m_palette->GetSelectColor();
    ShowCurrentColour();
    ShowChannels(m_currentColour);
}

void CColorSelectWnd::OnPresetSelected(int index)
{
    m_selectedPreset = index;
    SavePresets();
    const COptionUI* swatch = Preset(index);
    m_currentColour = swatch ? swatch->GetBkColor() : 0;
    SetPaletteColour(m_currentColour);
    ShowCurrentColour();
    ShowChannels(m_currentColour);
}

void CColorSelectWnd::OnCollectedSelected(int index)
{
    m_selectedCollected = index;
    const COptionUI* slot = CollectedSlot(index);
    // An empty slot only becomes the one the next colour fills.
    if (!slot || !HoldsColour(q31::ui::GetUserData(slot)))
        return;
    SaveCollectedSlots();
    const DWORD colour = slot->GetBkColor();
    ShowPreview(colour);
    ShowMultiColour(false);
    SetPaletteColour(colour);
    ShowChannels(colour);
}

void CColorSelectWnd::OnEditsLeft()
{
    DWORD colour = kOpaque;
    for (int channel = 0; channel < 3; ++channel) {
        const QLineEdit* edit = ChannelEdit(channel);
        colour |= DWORD(edit ? ChannelValueOfText(edit->text()) : 0) << (16 - 8 * channel);
    }
    m_currentColour = colour;
    // Each edit shows the value taken from it: "255" for anything above, "0" for nothing.
    ShowChannels(colour);
    SetPaletteColour(colour);
    ShowCurrentColour();
}

void CColorSelectWnd::OnOk()
{
    if (!m_palette) {
        Close(kAcceptedWithoutPalette);
        return;
    }
    // The preview shows what the user last chose, whichever way.
    m_currentColour = m_preview ? m_preview->GetBkColor() : 0;
    Close(kAccepted);
}

void CColorSelectWnd::ShowCurrentColour()
{
    COptionUI* slot = CollectedSlot(m_selectedCollected);
    if (slot && slot->IsSelected()) {
        FillSlot(slot, m_currentColour);
        SaveCollectedSlots();
    }
    ShowPreview(m_currentColour);
    ShowMultiColour(false);
}

void CColorSelectWnd::ShowMultiColour(bool on)
{
    m_multiColour = on;
    ShowSelected(m_pm.FindControl<COptionUI>(QStringLiteral("7color")), on);
    if (m_preview)
        m_preview->setProperty("bkimage", on ? kMultiColourImage : QString());
}

void CColorSelectWnd::ShowPreview(DWORD colour)
{
    if (m_preview)
        m_preview->SetBkColor(colour);
}

void CColorSelectWnd::ShowChannels(DWORD colour)
{
    for (int channel = 0; channel < 3; ++channel)
        if (QLineEdit* edit = ChannelEdit(channel))
            edit->setText(QString::number(ChannelOf(colour, channel)));
}

void CColorSelectWnd::SetPaletteColour(DWORD colour)
{
    if (m_palette)
        m_palette->SetSelectColor(colour);
}

void CColorSelectWnd::FillSlot(COptionUI* slot, DWORD colour)
{
    SetSlotColours(slot, colour);
    q31::ui::SetUserData(slot, QStringLiteral("1"));
    SetSlotBorder(slot, 0);
}

COptionUI* CColorSelectWnd::Preset(int index) const
{
    return m_pm.FindControl<COptionUI>(Indexed(kPresetPrefix, index));
}

COptionUI* CColorSelectWnd::CollectedSlot(int index) const
{
    return m_pm.FindControl<COptionUI>(Indexed(kCollectedPrefix, index));
}

QLineEdit* CColorSelectWnd::ChannelEdit(int channel) const
{
    return m_pm.FindControl<QLineEdit>(QString::fromLatin1(kChannelEdits[channel]));
}

namespace q31::devices {

std::optional<DWORD> ChooseSingleColour(QWidget* owner, DWORD colour)
{
    CColorSelectWnd dialog;
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    // Not shown yet: the window's first showing starts its init, after the set-up below.
    dialog.Create(ownerWindow, QStringLiteral("PalletDialog"), WS_POPUP, WS_EX_TOOLWINDOW,
                  QRect(0, 0, CColorSelectWnd::kWidth, CColorSelectWnd::kHeight));
    const CPaintManagerUI* ownerManager = CPaintManagerUI::ForControl(owner);
    dialog.SetWindowDpi(ownerManager ? ownerManager->GetDPI() : CPaintManagerUI::kDefaultDpi);
    dialog.SetCurrentColour(colour);
    dialog.SetMultiColourAvailable(false);
    dialog.CenterWindow();
    if (dialog.ShowModal() != CColorSelectWnd::kAccepted)
        return std::nullopt;
    return dialog.GetCurrentColour();
}

}  // namespace q31::devices
