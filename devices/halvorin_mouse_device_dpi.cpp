// The mouse's five DPI stages on the page: each row's enable check, slider,
// typed value, colour and current-stage mark, kept in the profile and sent.
#include "devices/halvorin_mouse_device.h"
#include "devices/color_select_wnd.h"
#include "devices/quiet_controls.h"

#include <QColor>
#include <QIntValidator>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QStyle>

#include <array>

using namespace q31::devices;

namespace {

QString StageControl(const char* prefix, int stage)
{
    return QString::fromLatin1(prefix) + QString::number(stage);
}

}  // namespace

void CHalvorinMouseDevice::ShowStages()
{
    const DpiLimits& limits = m_layout.dpi;
    std::array<bool, kDpiStageCount> enabled{};
    for (int i = 0; i < kDpiStageCount; ++i) {
        const DpiStage stage = std::size_t(i) < m_stages.size() ? m_stages[i] : DpiStage{};
        const bool current = i == m_currentStage;
        enabled[i] = stage.enabled != 0;
        if (auto* slider = findChild<QSlider*>(StageControl("DPI_slider_", i))) {
            const QSignalBlocker quiet(slider);
            slider->setRange(0, limits.highestIndex);
            slider->setValue(stage.dpiX);
            // The current stage's slider is drawn in the accent colour.
            slider->setProperty("current", current);
            slider->style()->unpolish(slider);
            slider->style()->polish(slider);
        }
        if (auto* edit = findChild<QLineEdit*>(StageControl("DPI_edit_", i))) {
            auto* range = edit->findChild<QIntValidator*>();
            if (!range) {
                range = new QIntValidator(edit);
                edit->setValidator(range);
            }
            // The top is the highest value the mouse can take; a larger typed one is clamped anyway.
            range->setRange(0, DpiOfIndex(limits, limits.highestIndex));
            edit->setText(QString::number(DpiOfIndex(limits, stage.dpiX)));
        }
        if (auto* colour = findChild<QWidget*>(StageControl("DPI_color_option_", i)))
            colour->setStyleSheet(QStringLiteral("background-color: %1;")
                                      .arg(QColor(stage.red, stage.green, stage.blue).name()));
        auto* enableCheck = findChild<COptionUI*>(StageControl("DPI_enable_check_", i));
        ShowSelected(enableCheck, enabled[i]);
        if (enableCheck)
            enableCheck->setEnabled(!current);
        ShowSelected(findChild<COptionUI*>(StageControl("DPI_select_check_", i)), current);
        if (auto* row = findChild<QWidget*>(StageControl("DPI_layout_", i)))
            row->setEnabled(enabled[i]);
    }
    // At least one stage stays enabled: the last one cannot be cleared.
    if (const std::optional<int> lone = LoneEnabledStage(enabled))
        if (auto* check = findChild<COptionUI*>(StageControl("DPI_enable_check_", *lone)))
            check->setEnabled(false);
}

void CHalvorinMouseDevice::StoreStages()
{
    m_profile.WriteDpiStages(m_stages);
    m_profile.WriteCurrentDpiStage(m_currentStage);
    SaveProfile();
    ShowStages();
    SendSettings();
}

void CHalvorinMouseDevice::SetStageEnabled(int stage, bool enabled)
{
    DpiStage* edited = StageToEdit(m_stages, stage);
    // The current stage is always on, and the last enabled one stays on.
    if (!edited || (!enabled && stage == m_currentStage))
        return;
    std::array<bool, kDpiStageCount> states{};
    for (int i = 0; i < kDpiStageCount && std::size_t(i) < m_stages.size(); ++i)
        states[i] = m_stages[i].enabled != 0;
    if (!enabled && LoneEnabledStage(states) == stage)
        return;
    edited->enabled = enabled ? 1 : 0;
    StoreStages();
}

void CHalvorinMouseDevice::SelectStage(int stage)
{
    DpiStage* selected = StageToEdit(m_stages, stage);
    if (!selected)
        return;
    m_currentStage = stage;
    // The mouse switches to the stage the user picks, so it must be on.
    selected->enabled = 1;
    for (int i = 0; i < kDpiStageCount; ++i)
        if (auto* slider = findChild<QSlider*>(StageControl("DPI_slider_", i)))
            if (DpiStage* shown = StageToEdit(m_stages, i))
                shown->dpiX = std::uint16_t(slider->value());
    StoreStages();
}

void CHalvorinMouseDevice::SetStageIndex(int stage, int index)
{
    DpiStage* edited = StageToEdit(m_stages, stage);
    if (!edited)
        return;
    const auto dpiX = std::uint16_t(std::clamp(index, 0, m_layout.dpi.highestIndex));
    // Leaving the field after Return, or a slider let go where it was: nothing new to send.
    if (dpiX == edited->dpiX) {
        ShowStages();
        return;
    }
    edited->dpiX = dpiX;
    StoreStages();
}

void CHalvorinMouseDevice::SetStageText(int stage, const QString& text)
{
    SetStageIndex(stage, IndexOfText(m_layout.dpi, text));
}

void CHalvorinMouseDevice::SetStageColour(int stage, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    DpiStage* edited = StageToEdit(m_stages, stage);
    if (!edited)
        return;
    edited->red = red;
    edited->green = green;
    edited->blue = blue;
    StoreStages();
}

void CHalvorinMouseDevice::PickStageColour(int stage)
{
    if (m_colourDialogOpen || stage < 0 || stage >= kDpiStageCount)
        return;
    const DpiStage shown = std::size_t(stage) < m_stages.size() ? m_stages[stage] : DpiStage{};
    m_colourDialogOpen = true;
    const QPointer<CHalvorinMouseDevice> page(this);
    const std::optional<DWORD> chosen =
        ChooseSingleColour(this, 0xFF000000 | DWORD(shown.red) << 16 | DWORD(shown.green) << 8 | shown.blue);
    // The dialog runs its own event loop: the page may be gone when it closes.
    if (!page)
        return;
    m_colourDialogOpen = false;
    if (chosen)
        SetStageColour(stage, std::uint8_t(*chosen >> 16), std::uint8_t(*chosen >> 8), std::uint8_t(*chosen));
}
