#include "controls/light_control_ui.h"

#include "controls/light_layout_table.h"
#include "controls/quiet_controls.h"
#include "profiles/profile_records.h"
#include "ui/button_ui.h"
#include "ui/color_palette_ui.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QSize>
#include <QSlider>
#include <QStandardItemModel>

namespace {

constexpr int kItemHeight = 30;

enum LightByte : std::size_t {
    kEffect = 0,
    kBrightness = 1,
    kSpeed = 2,
    kDirection = 3,
    kMultiColour = 4,
    kRed = 5,
    kGreen = 6,
    kBlue = 7,
    kSecondaryEffect = 11,
};

const char* EditName(CLightControlUI::Component component)
{
    switch (component) {
    case CLightControlUI::Component::Red:
        return "deng_edit_R";
    case CLightControlUI::Component::Green:
        return "deng_edit_G";
    case CLightControlUI::Component::Blue:
        break;
    }
    return "deng_edit_B";
}

}  // namespace

CLightControlUI::CLightControlUI(QWidget* parent) : CHorizontalLayoutUI(parent) {}

QWidget* CLightControlUI::Child(const QString& name) const
{
    return m_children.Find(name);
}

QComboBox* CLightControlUI::EffectCombo() const
{
    return ChildAs<QComboBox>("light_combo_modeSelect");
}

QLineEdit* CLightControlUI::ComponentEdit(Component component) const
{
    return ChildAs<QLineEdit>(EditName(component));
}

void CLightControlUI::EnableGroup(const char* name, bool enabled)
{
    if (QWidget* group = Child(QString::fromLatin1(name)))
        group->setEnabled(enabled);
}

void CLightControlUI::ShowGroup(const char* name, bool shown)
{
    if (QWidget* group = Child(QString::fromLatin1(name)))
        group->setVisible(shown);
}

void CLightControlUI::SetEffectList(const QStringList& names, const std::vector<bool>& visible, int maxBrightness,
                                    int maxSpeed)
{
    if (QComboBox* combo = EffectCombo()) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (const QString& name : names) {
            // The name is the item's language key; BindTexts shows its text.
            combo->addItem(QStringLiteral("%[") + name + QLatin1Char(']'), name);
            const int row = combo->count() - 1;
            combo->setItemData(row, QSize(0, kItemHeight), Qt::SizeHintRole);
            const bool shown = std::size_t(row) >= visible.size() || visible[row];
            if (auto* view = qobject_cast<QListView*>(combo->view()))
                view->setRowHidden(row, !shown);
            // Wheel and arrow keys pass over what the list hides.
            if (auto* model = qobject_cast<QStandardItemModel*>(combo->model()))
                model->item(row)->setEnabled(shown);
        }
        q31::ui::BindTexts(combo);
        combo->setCurrentIndex(-1);
    }
    if (auto* brightness = ChildAs<QSlider>("deng_light_slider"))
        brightness->setMaximum(maxBrightness);
    if (auto* speed = ChildAs<QSlider>("deng_speed_slider"))
        speed->setMaximum(maxSpeed);
}

void CLightControlUI::ShowLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    const LightSettings light = UnpackLightWords({word0, word1, word2, word3});
    q31::controls::ShowCurrentIndex(EffectCombo(), light[kEffect]);
    SetBrightness(light[kBrightness]);
    SetSpeed(light[kSpeed]);
    SetRgbText(Component::Red, QString::number(light[kRed]));
    SetRgbText(Component::Green, QString::number(light[kGreen]));
    SetRgbText(Component::Blue, QString::number(light[kBlue]));
    SetPaletteColour(kOpaque | DWORD(light[kRed]) << 16 | DWORD(light[kGreen]) << 8 | light[kBlue]);
    SetMultiColour(light[kMultiColour] != 0);
    SelectSecondaryEffect(light[kSecondaryEffect]);
    SetDirection(light[kDirection]);
    UpdateLayout(light[kEffect]);
}

void CLightControlUI::SelectEffect(int index)
{
    q31::controls::ShowCurrentIndex(EffectCombo(), index);
    UpdateLayout(index);
}

int CLightControlUI::GetSelectedEffect() const
{
    const QComboBox* combo = EffectCombo();
    return combo ? combo->currentIndex() : -1;
}

void CLightControlUI::SelectCustomGroup(int index)
{
    q31::controls::ShowCurrentIndex(ChildAs<QComboBox>("light_combo_custommodeSelect"), index);
}

int CLightControlUI::GetSelectedCustomGroup() const
{
    const auto* combo = ChildAs<QComboBox>("light_combo_custommodeSelect");
    return combo ? combo->currentIndex() : -1;
}

void CLightControlUI::SelectSecondaryEffect(int index)
{
    q31::controls::ShowCurrentIndex(ChildAs<QComboBox>("light_combo_ZZCCmodeSelect"), index);
}

int CLightControlUI::GetSelectedSecondaryEffect() const
{
    const auto* combo = ChildAs<QComboBox>("light_combo_ZZCCmodeSelect");
    return combo ? combo->currentIndex() : -1;
}

void CLightControlUI::SetBrightness(int level)
{
    q31::controls::ShowValue(ChildAs<QSlider>("deng_light_slider"), level);
}

int CLightControlUI::GetBrightness() const
{
    const auto* slider = ChildAs<QSlider>("deng_light_slider");
    return slider ? slider->value() : 0;
}

void CLightControlUI::SetSpeed(int level)
{
    q31::controls::ShowValue(ChildAs<QSlider>("deng_speed_slider"), level);
}

int CLightControlUI::GetSpeed() const
{
    const auto* slider = ChildAs<QSlider>("deng_speed_slider");
    return slider ? slider->value() : 0;
}

void CLightControlUI::SetRgbText(Component component, const QString& text)
{
    if (QLineEdit* edit = ComponentEdit(component)) {
        const QSignalBlocker quiet(edit);
        edit->setText(text);
    }
}

QString CLightControlUI::GetRgbText(Component component) const
{
    const QLineEdit* edit = ComponentEdit(component);
    return edit ? edit->text() : QString();
}

void CLightControlUI::SetPaletteColour(DWORD argb)
{
    if (auto* palette = ChildAs<CColorPaletteUI>("deng_Color_Pallet"))
        palette->SetSelectColor(argb);
    ShowColourButton(argb);
}

DWORD CLightControlUI::GetPaletteColour() const
{
    const auto* palette = ChildAs<CColorPaletteUI>("deng_Color_Pallet");
    return palette ? palette->GetSelectColor() : kOpaque;
}

void CLightControlUI::ShowColourButton(DWORD argb)
{
    if (auto* button = ChildAs<CButtonUI>("deng_colordp_btn")) {
        button->SetBkColor(argb);
        button->update();
    }
}

DWORD CLightControlUI::GetSwatchColour(int number) const
{
    const auto* swatch = qobject_cast<CButtonUI*>(Child(QStringLiteral("color_option_%1").arg(number)));
    return swatch ? swatch->GetBkColor() : 0;
}

void CLightControlUI::SetMultiColour(bool on)
{
    q31::controls::ShowSelected(ChildAs<COptionUI>("deng_7color_check"), on);
}

bool CLightControlUI::GetMultiColour() const
{
    const auto* check = ChildAs<COptionUI>("deng_7color_check");
    return check && check->IsSelected();
}

void CLightControlUI::SetDirection(int flag)
{
    q31::controls::ShowSelected(ChildAs<COptionUI>("deng_FXL_check"), flag != 0);
    q31::controls::ShowSelected(ChildAs<COptionUI>("deng_FXR_check"), flag == 0);
}

void CLightControlUI::SetSameModeAvailable(bool available)
{
    m_sameModeAvailable = available;
    UpdateLayout(GetSelectedEffect());
}

void CLightControlUI::UpdateLayout(int effect)
{
    const std::optional<q31::controls::LightLayout> layout = q31::controls::LayoutOfEffect(m_deviceKind, effect);
    if (!layout)
        return;
    using q31::controls::GroupState;
    EnableGroup("lighteffect_layout", true);
    EnableGroup("deng_7color_check", layout->multiColour);
    EnableGroup("deng_color_layout", layout->colour);
    EnableGroup("colorpallet_layout", layout->palette);
    EnableGroup("deng_light_layout", layout->brightness);
    ShowGroup("deng_speed_layout", layout->speed != GroupState::Hidden);
    EnableGroup("deng_speed_layout", layout->speed == GroupState::On);
    EnableGroup("deng_fx_layout", layout->direction);
    ShowGroup("deng_same_mode", layout->sameMode && m_sameModeAvailable);
    EnableGroup("light_color_layout", layout->colourLayout);
    ShowGroup("lightcustom_layout", layout->customGroups);
    ShowGroup("light_combo_ZZCCmodeSelectLayout", layout->secondaryEffect);
    ShowGroup("light_combo_AudiomodeSelectLayout", layout->audioColours);
    if (auto* tabs = ChildAs<CTabLayoutUI>("light_color_tablayout"))
        tabs->SelectItem(layout->audioColours ? 1 : 0);
    if (QWidget* first = Child(QStringLiteral("deng_FXL_check")))
        q31::ui::SetTextId(first, QString::fromLatin1(layout->firstDirection));
    if (QWidget* second = Child(QStringLiteral("deng_FXR_check")))
        q31::ui::SetTextId(second, QString::fromLatin1(layout->secondDirection));
}

void CLightControlUI::SetLightInfo(DWORD word0, DWORD word1, DWORD word2)
{
    m_lightInfo = {word0, word1, word2};
}

std::array<DWORD, 3> CLightControlUI::GetLightInfo(int)
{
    return m_lightInfo;
}

namespace q31::controls {

void RegisterLightControl(CControlFactory& factory)
{
    factory.RegisterControl<CLightControlUI>(QStringLiteral("LightControl"), QStringLiteral("CLightControlUI"));
}

}  // namespace q31::controls
