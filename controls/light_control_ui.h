#pragma once
// The lighting editor of every device page ("LightControlItem", class
// "LightControl"): the effect list, brightness and speed, the single colour
// (palette, swatches, R/G/B edits), multi-colour, direction, the keyboard's
// secondary effect and custom groups. It only shows settings; the main window
// turns its notifications into changes of the device (app/lighting_owner).
// Its child controls are looked up by name on first use; a missing one is
// skipped: setters do nothing, getters answer their default.
#include "controls/device_light_editor.h"
#include "controls/named_children.h"
#include "ui/container_ui.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CControlFactory;
class QComboBox;
class QLineEdit;

class CLightControlUI : public CHorizontalLayoutUI, public IDeviceLightEditor {
    Q_OBJECT
public:
    enum class Component { Red, Green, Blue };
    static constexpr DWORD kOpaque = 0xFF000000;

    explicit CLightControlUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("LightControl"); }

    // 1 keyboard, 2 mouse, 3 mouse pad, 7 headset: selects the layout table.
    void SetDeviceKind(int kind) { m_deviceKind = kind; }
    int GetDeviceKind() const { return m_deviceKind; }
    // Effect names are language keys; a hidden effect keeps its index.
    void SetEffectList(const QStringList& names, const std::vector<bool>& visible, int maxBrightness, int maxSpeed);
    // The device's light settings as four words (bytes 0-3, 4-7, 8-11, 12-13); nothing is reported back.
    void ShowLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3);

    // An index past the list selects nothing.
    void SelectEffect(int index);
    int GetSelectedEffect() const;
    void SelectCustomGroup(int index);
    int GetSelectedCustomGroup() const;
    void SelectSecondaryEffect(int index);
    int GetSelectedSecondaryEffect() const;
    void SetBrightness(int level);
    int GetBrightness() const;
    void SetSpeed(int level);
    int GetSpeed() const;
    void SetRgbText(Component component, const QString& text);
    QString GetRgbText(Component component) const;
    // Selects the colour in the palette and paints the colour button with it.
    void SetPaletteColour(DWORD argb);
    DWORD GetPaletteColour() const;
    // Only the colour button: the palette keeps the point the user is dragging.
    void ShowColourButton(DWORD argb);
    // The background of swatch "color_option_<number>".
    DWORD GetSwatchColour(int number) const;
    void SetMultiColour(bool on);
    bool GetMultiColour() const;
    // Nonzero selects the first direction.
    void SetDirection(int flag);
    void SetSameModeAvailable(bool available);
    bool IsSameModeAvailable() const { return m_sameModeAvailable; }
    // Enables and shows the parameter groups the effect uses on this kind of device.
    void UpdateLayout(int effect);

    // The audio light info the device keeps with the editor.
    void SetLightInfo(DWORD word0, DWORD word1, DWORD word2) override;
    std::array<DWORD, 3> GetLightInfo(int index) override;

private:
    QWidget* Child(const QString& name) const;
    template <class Control>
    Control* ChildAs(const char* name) const
    {
        return qobject_cast<Control*>(Child(QString::fromLatin1(name)));
    }
    QComboBox* EffectCombo() const;
    QLineEdit* ComponentEdit(Component component) const;
    void EnableGroup(const char* name, bool enabled);
    void ShowGroup(const char* name, bool shown);

    int m_deviceKind = 0;
    bool m_sameModeAvailable = false;
    std::array<DWORD, 3> m_lightInfo{};
    q31::controls::CNamedChildren m_children{*this};
};

namespace q31::controls {

// Lets skins name the editor "LightControl" (or "CLightControlUI").
void RegisterLightControl(CControlFactory& factory);

}  // namespace q31::controls
