#pragma once
// A device's power control ("MpDevicePower"): its battery level as text and
// bar, its charging state, whether a mouse is reached through its receiver and,
// on a mouse pad, which phone lies on the charger. It keeps showing the last
// record it was given.
#include "mouse_extras/device_power_control.h"
#include "ui/container_ui.h"

#include <QPointer>

#include <cstddef>
#include <cstdint>
#include <optional>

class CControlFactory;
class QLabel;
class QProgressBar;

class CMpDevicePowerUI : public CHorizontalLayoutUI, public IDevicePowerControl {
    Q_OBJECT
public:
    explicit CMpDevicePowerUI(QWidget* parent = nullptr) : CHorizontalLayoutUI(parent) {}

    QString GetClass() const override { return QStringLiteral("MpDevicePower"); }

    // The catalogue type of the device it belongs to; variant is not used.
    void SetDeviceType(int type, int variant);
    int GetDeviceType() const { return m_type; }
    int GetVariant() const { return m_variant; }

    // Shows or hides "device_power_Layout".
    void ShowPowerLayout(int show) override;
    void ShowPowerStatus(const PowerStatus& status) override;
    // A skin without every child control of the display shows nothing.
    void ShowStatus(const std::uint8_t* record, std::size_t length);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Children {
        QPointer<QLabel> text;
        QPointer<QWidget> wirelessLogo;
        QPointer<QProgressBar> progress;
        QPointer<CContainerUI> status;
        QPointer<CContainerUI> phone;
    };
    // Looked up again until all of them are there; null while one is missing.
    const Children* LookUpChildren();

    int m_type = 0;
    int m_variant = 0;
    std::optional<Children> m_children;
};

namespace q31::mouse_extras {

// Lets skins name the control "MpDevicePower" (or "CMpDevicePowerUI").
void RegisterPowerControl(CControlFactory& factory);

}  // namespace q31::mouse_extras
