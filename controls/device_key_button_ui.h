#pragma once
// A key or lighting zone drawn on a device picture. Besides the button's own
// images it can show a light image tinted with the zone's colour and level,
// and a key-set badge for a key whose assignment differs from its default.
// Attributes: "lightimage", "keysetimage" (image strings) and
// "gmnametextcolor" (accepted, no effect). Sends "dbclick" on a double click.
#include "platform/win_types.h"
#include "ui/button_ui.h"

class CDeviceKeyButtonUI : public CButtonUI {
    Q_OBJECT
public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("DeviceKeyButton"); }
    bool SetAttribute(const QString& name, const QString& value) override;

    // colour: red | blue << 8 | green << 16; level 0-255. The caller repaints.
    void SetLightOverlay(DWORD colour, int level, bool shown);
    void SetKeySetBadgeHidden(bool hidden);
    void SetSelected(int selected) { m_selected = selected; }
    int IsSelected() const { return m_selected; }

    bool IsLightShown() const { return m_lightShown; }
    DWORD GetLightColour() const { return m_lightColour; }
    int GetLightLevel() const { return m_lightLevel; }
    bool IsKeySetBadgeHidden() const { return m_keySetBadgeHidden; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void PaintStatusImage(QPainter& painter) override;

private:
    QString m_lightImage;
    QString m_keySetImage;
    bool m_lightShown = false;
    DWORD m_lightColour = 255;
    int m_lightLevel = 200;
    bool m_keySetBadgeHidden = true;
    int m_selected = 0;
};
