#include "tests/devices/colour_dialog_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

constexpr int kShowMs = 5000;

bool IsOpenDialog(const QWidget* top)
{
    return top->objectName() == QLatin1String("ColorSelectWnd") && top->isVisible();
}

QWidget* OpenDialog()
{
    const QWidgetList tops = QApplication::topLevelWidgets();
    const auto open = std::find_if(tops.begin(), tops.end(), IsOpenDialog);
    return open == tops.end() ? nullptr : *open;
}

}  // namespace

void WhenColourDialogShows(const std::function<void(QWidget& dialog)>& act)
{
    QTimer::singleShot(0, [act] {
        if (!QTest::qWaitFor([] { return OpenDialog() != nullptr; }, kShowMs)) {
            ADD_FAILURE() << "no colour dialog showed";
            return;
        }
        const QPointer<QWidget> dialog = OpenDialog();
        act(*dialog);
        if (!QTest::qWaitFor([&] { return !dialog || !dialog->isVisible(); }, kShowMs)) {
            ADD_FAILURE() << "the colour dialog stayed open";
            ClickInDialog(*dialog, QStringLiteral("closebtn"));
        }
    });
}

bool ClickInDialog(QWidget& dialog, const QString& name)
{
    auto* button = dialog.findChild<QAbstractButton*>(name);
    if (!button)
        return false;
    button->click();
    return true;
}

int OpenColourDialogs()
{
    const QWidgetList tops = QApplication::topLevelWidgets();
    return int(std::count_if(tops.begin(), tops.end(), IsOpenDialog));
}

}  // namespace q31::test
