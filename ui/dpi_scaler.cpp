#include "ui/dpi_scaler.h"

#include <QLayout>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace q31::ui {
namespace {

int Scaled(int value, double scale)
{
    return value >= QWIDGETSIZE_MAX ? value : int(std::lround(value * scale));
}

QSize Scaled(QSize size, double scale)
{
    return QSize(Scaled(size.width(), scale), Scaled(size.height(), scale));
}

template <class Value>
Value Base(QObject* object, const char* key, const Value& current)
{
    const QVariant stored = object->property(key);
    if (stored.isValid())
        return stored.value<Value>();
    object->setProperty(key, QVariant::fromValue(current));
    return current;
}

void ScaleWidget(QWidget* widget, double scale)
{
    widget->setMinimumSize(Scaled(Base(widget, "q31BaseMinSize", widget->minimumSize()), scale));
    widget->setMaximumSize(Scaled(Base(widget, "q31BaseMaxSize", widget->maximumSize()), scale));
}

void ScaleLayout(QLayout* layout, double scale)
{
    const QMargins margins = Base(layout, "q31BaseMargins", layout->contentsMargins());
    layout->setContentsMargins(Scaled(margins.left(), scale), Scaled(margins.top(), scale),
                               Scaled(margins.right(), scale), Scaled(margins.bottom(), scale));
    const int spacing = Base(layout, "q31BaseSpacing", layout->spacing());
    if (spacing > 0)
        layout->setSpacing(Scaled(spacing, scale));
}

}  // namespace

void ScaleTree(QWidget* root, double scale)
{
    BaseSize(root);
    ScaleWidget(root, scale);
    for (QWidget* child : root->findChildren<QWidget*>())
        ScaleWidget(child, scale);
    for (QLayout* layout : root->findChildren<QLayout*>())
        ScaleLayout(layout, scale);
}

QSize BaseSize(QWidget* root)
{
    return Base(root, "q31BaseSize", root->size());
}

bool IsDpiStep(int dpi)
{
    static constexpr std::array kSteps = {48, 72, 96, 120, 144, 168, 192};
    return std::find(kSteps.begin(), kSteps.end(), dpi) != kSteps.end();
}

QString ScaleStyleSheet(const QString& styleSheet, double scale)
{
    static const QRegularExpression pixels(QStringLiteral("(\\d+(?:\\.\\d+)?)px"));
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : pixels.globalMatch(styleSheet)) {
        result += styleSheet.mid(last, match.capturedStart() - last);
        const double value = match.captured(1).toDouble();
        const long scaled = std::lround(value * scale);
        result += QString::number(value > 0 && scaled == 0 ? 1 : scaled) + QStringLiteral("px");
        last = match.capturedEnd();
    }
    return result + styleSheet.mid(last);
}

}  // namespace q31::ui
