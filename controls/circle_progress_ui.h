#pragma once
// A progress ring: a disc in the back colour, a pie in the fore colour that
// starts straight down and grows clockwise with the value, and a centre disc
// that leaves a ring. Attributes: "bkcolor", "forecolor", "innercolor"
// (colours; back and fore are transparent and the centre white unless
// given). The text is the progress
// bar's, shown when its text is visible.
#include "platform/win_types.h"

#include <QProgressBar>

class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
public:
    explicit CCircleProgressUI(QWidget* parent = nullptr);

    QString GetClass() const { return QStringLiteral("CircleProgress"); }
    // False when the attribute is not the ring's.
    bool SetAttribute(const QString& name, const QString& value);
    // Whole degrees of the fore pie: value / (maximum - minimum) x 360,
    // truncated, kept within 0..360; 0 when the range is empty.
    int SweepDegrees() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    DWORD m_backColour = 0;
    DWORD m_foreColour = 0;
    DWORD m_innerColour = 0xFFFFFFFF;
};
