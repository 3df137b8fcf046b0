#pragma once
// Scales a control tree laid out for 96 DPI. The sizes from the skin are kept
// as the base, so scaling again never compounds.
#include <QSize>
#include <QString>

class QWidget;

namespace q31::ui {

void ScaleTree(QWidget* root, double scale);
// The root's size in the skin (at 96 DPI).
QSize BaseSize(QWidget* root);
// 48, 72, 96, 120, 144, 168 or 192: the DPI values a window takes.
bool IsDpiStep(int dpi);
// Every "<n>px" of a style sheet times scale.
QString ScaleStyleSheet(const QString& styleSheet, double scale);

}  // namespace q31::ui
