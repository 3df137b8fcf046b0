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
QPointer<Control> Part(const QWidget& root, const char* name)
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
    const Parts* parts = FindParts();
    if (!parts)
        return;
    const q31::mouse_extras::PowerView view = q31::mouse_extras::PowerViewOf(m_type, buffer);
    parts->progress->setValue(view.progress);
    parts->text->setText(QString::fromStdString(view.text));
    if (view.wirelessLogo)
        parts->wirelessLogo->setVisible(*view.wirelessLogo);
    if (view.barShown)
        parts->progress->setVisible(*view.barShown);
    if (view.statusImage)
        parts->status->SetBkImage(ImageOf(*view.statusImage));
    if (view.phone) {
        q31::ui::SetTextId(parts->phone, QString::fromStdString(view.phone->textId), "toolTip");
        parts->phone->SetBkImage(ImageOf(view.phone->image));
        parts->phone->setVisible(true);
    }
}

const CMpDevicePowerUI::Parts* CMpDevicePowerUI::FindParts()
{
    const auto complete = [](const Parts& parts) {
        return parts.text && parts.wirelessLogo && parts.progress && parts.status && parts.phone;
    };
    if (!m_parts || !complete(*m_parts))
        m_parts = Parts{Part<QLabel>(*this, "device_power_value"), Part<QWidget>(*this, "device_wuxian_logo"),
                        Part<QProgressBar>(*this, "device_Power_progress"),
                        Part<CContainerUI>(*this, "device_power_status"), Part<CContainerUI>(*this, "device_phone_type")};
    return complete(*m_parts) ? &*m_parts : nullptr;
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
