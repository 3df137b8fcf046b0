#pragma once
// A bar graph of recorded levels: one line per value, one pixel wide and two
// apart, rising from the bottom; a value of 8192 fills the height, 0 draws
// nothing. Starts with the ramp 0..255 in the first 256 values. Attributes:
// "bkcolor", "bkimage" (the background), "linecolor" (black unless given).
#include "platform/win_types.h"
#include "ui/control_look.h"

#include <QLabel>

#include <array>

class CAudioRecordUI : public QLabel {
    Q_OBJECT
public:
    static constexpr int kValueCount = 500;
    static constexpr int kFullScale = 8192;

    explicit CAudioRecordUI(QWidget* parent = nullptr);

    QString GetClass() const { return QStringLiteral("AudioRecord"); }
    bool SetAttribute(const QString& name, const QString& value);
    // Values beyond 0..8192 are taken as the nearer end; an index out of range is ignored.
    void SetValue(int index, int value);
    int GetValue(int index) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    q31::ui::CControlLook m_look;
    DWORD m_lineColour = 0xFF000000;
    std::array<int, kValueCount> m_values{};
};
