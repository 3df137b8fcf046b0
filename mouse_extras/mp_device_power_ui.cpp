#include "mouse_extras/mp_device_power_ui.h"

#include "controls/send_notify.h"
#include "mouse_extras/power_view.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/image_string.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kRecordBufferLength = 64;

template <class Control>
QPointer<Control> Child(const QWidget& root, const char* name)
{
    return root.findChild<Control*>(QLatin1String(name));
}

QString ImageOf(const std::string& file)
{
    return q31::ui::ImageStringOfFile(QString::fromStdString(file)).value_or(QString());
}

}  // namespace

void CMpDevicePowerUI::SetDeviceType(int type, int variant)
{
    m_type = type;
    m_variant = variant;
}

void CMpDevicePowerUI::ShowPowerLayout(int show)
{
    if (auto* layout = findChild<QWidget*>(QStringLiteral("device_power_Layout")))
        layout->setVisible(show != 0);
}

void CMpDevicePowerUI::ShowPowerStatus(const PowerStatus& status)
{
    ShowStatus(status.data(), status.size());
}

void CMpDevicePowerUI::ShowStatus(const std::uint8_t* record, std::size_t length)
{
    std::array<std::uint8_t, kRecordBufferLength> buffer{};
    if (record)
        std::copy_n(record, std::min(length, buffer.size()), buffer.begin());
    const Children* children = LookUpChildren();
    if (!children)
        return;
    const q31::mouse_extras::PowerView view = q31::mouse_extras::PowerViewOf(m_type, buffer);
    children->progress->setValue(view.progress);
    children->text->setText(QString::fromStdString(view.text));
    if (view.wirelessLogo)
        children->wirelessLogo->setVisible(*view.wirelessLogo);
    if (view.barShown)
        children->progress->setVisible(*view.barShown);
    if (view.statusImage)
        children->status->SetBkImage(ImageOf(*view.statusImage));
    if (view.phone) {
        q31::ui::SetTextId(children->phone, QString::fromStdString(view.phone->textId), "toolTip");
        children->phone->SetBkImage(ImageOf(view.phone->image));
        children->phone->setVisible(true);
    }
}

const CMpDevicePowerUI::Children* CMpDevicePowerUI::LookUpChildren()
{
    const auto complete = [](const Children& children) {
        return children.text && children.wirelessLogo && children.progress && children.status && children.phone;
    };
    if (!m_children || !complete(*m_children))
        m_children = Children{Child<QLabel>(*this, "device_power_value"), Child<QWidget>(*this, "device_wuxian_logo"),
                        Child<QProgressBar>(*this, "device_Power_progress"),
                        Child<CContainerUI>(*this, "device_power_status"), Child<CContainerUI>(*this, "device_phone_type")};
    return complete(*m_children) ? &*m_children : nullptr;
}

void CMpDevicePowerUI::mouseReleaseEvent(QMouseEvent* event)
{
    CHorizontalLayoutUI::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        q31::controls::SendNotify(this, "selectchanged");
}

namespace q31::mouse_extras {

void RegisterPowerControl(CControlFactory& factory)
{
    factory.RegisterControl<CMpDevicePowerUI>("MpDevicePower", "CMpDevicePowerUI");
}

}  // namespace q31::mouse_extras
