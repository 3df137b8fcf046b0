#pragma once
// A chart of named values, as a pie or a histogram. Nothing gives it values
// yet, so it shows only its background ("bkcolor", "bkimage"). Its other
// attributes, names and values compared exactly: "view" ("pie" or
// "histpgram"), "shadowimage", "shadowimageheight", "pillarimage",
// "pillarimagewidth", "showtext", "showhtml" ("true" or not), "font".
#include "ui/control_look.h"

#include <QWidget>

class CChartViewUI : public QWidget {
    Q_OBJECT
public:
    enum class ViewKind { Pie = 0, Histogram = 1 };

    struct Style {
        ViewKind view = ViewKind::Pie;
        QString shadowImage;
        int shadowImageHeight = 0;
        QString pillarImage;
        int pillarImageWidth = 0;
        bool showText = true;
        bool showHtml = false;
        int font = -1;  // index of the window's font table; -1: the default font
    };

    explicit CChartViewUI(QWidget* parent = nullptr) : QWidget(parent) {}

    QString GetClass() const { return QStringLiteral("Control"); }
    bool SetAttribute(const QString& name, const QString& value);
    const Style& GetStyle() const { return m_style; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    q31::ui::CControlLook m_look;
    Style m_style;
};
