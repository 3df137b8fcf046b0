#include "ui/notify_wiring.h"

#include "ui/paint_manager.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace q31::ui {
namespace {

void Send(QWidget* control, const char* type, WPARAM wParam = 0, LPARAM lParam = 0)
{
    if (CPaintManagerUI* manager = CPaintManagerUI::ForControl(control))
        manager->SendNotify(control, QString::fromLatin1(type), wParam, lParam);
}

bool IsExclusive(const QAbstractButton* button)
{
    return button->autoExclusive() || (button->group() && button->group()->exclusive());
}

void WireButton(QAbstractButton* button)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button] { Send(button, "click"); });
    QObject::connect(button, &QAbstractButton::toggled, button, [button](bool checked) {
        if (checked || !IsExclusive(button))
            Send(button, "selectchanged", checked ? 1 : 0);
    });
}

void WireSlider(QSlider* slider)
{
    static const char* kUserSet = "q31SliderUserSet";
    // The position moves before the value does; a user action whose value will
    // really change is remembered until that change arrives.
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [slider](int action) {
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
            slider->setProperty(kUserSet, slider->sliderPosition() != slider->value());
    });
    QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [slider](int value) {
        if (!slider->property(kUserSet).toBool())
            return;
        slider->setProperty(kUserSet, false);
        Send(slider, "valuechanged", WPARAM(value));
    });
    QObject::connect(slider, &QAbstractSlider::sliderMoved, slider,
                     [slider](int value) { Send(slider, "movevaluechanged", WPARAM(value)); });
    QObject::connect(slider, &QAbstractSlider::sliderReleased, slider,
                     [slider] { Send(slider, "valuechanged", WPARAM(slider->value())); });
}

void WireCombo(QComboBox* combo)
{
    static const char* kLastIndex = "q31ComboLastIndex";
    combo->setProperty(kLastIndex, combo->currentIndex());
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo](int index) {
        const int previous = combo->property(kLastIndex).toInt();
        combo->setProperty(kLastIndex, index);
        Send(combo, "itemselect", WPARAM(index), LPARAM(previous));
    });
}

void WireItemView(QAbstractItemView* view)
{
    QObject::connect(view, &QAbstractItemView::clicked, view,
                     [view](const QModelIndex& index) { Send(view, "itemclick", WPARAM(index.row())); });
    if (auto* list = qobject_cast<QListWidget*>(view))
        QObject::connect(list, &QListWidget::currentRowChanged, list,
                         [list](int row) { Send(list, "itemselect", WPARAM(row)); });
}

void WireMenu(QWidget* control)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(control, &QWidget::customContextMenuRequested, control, [control](const QPoint& at) {
        const QPoint global = control->mapToGlobal(at);
        Send(control, "menu", WPARAM(global.x()), LPARAM(global.y()));
    });
}

bool IsEdit(const QObject* object)
{
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object) ||
           qobject_cast<const QPlainTextEdit*>(object);
}

void WireControl(QWidget* control)
{
    static const char* kWired = "q31NotifyWired";
    if (control->property(kWired).toBool())
        return;
    control->setProperty(kWired, true);

    if (auto* button = qobject_cast<QAbstractButton*>(control))
        WireButton(button);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        WireSlider(slider);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        WireCombo(combo);
    else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] { Send(edit, "textchanged"); });
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [edit] { Send(edit, "return"); });
    } else if (auto* rich = qobject_cast<QTextEdit*>(control))
        QObject::connect(rich, &QTextEdit::textChanged, rich, [rich] { Send(rich, "textchanged"); });
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        QObject::connect(plain, &QPlainTextEdit::textChanged, plain, [plain] { Send(plain, "textchanged"); });
    else if (auto* stack = qobject_cast<QStackedWidget*>(control))
        QObject::connect(stack, &QStackedWidget::currentChanged, stack,
                         [stack](int index) { Send(stack, "selectchanged", WPARAM(index)); });
    else if (auto* tabs = qobject_cast<QTabWidget*>(control))
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs,
                         [tabs](int index) { Send(tabs, "selectchanged", WPARAM(index)); });
    else if (auto* view = qobject_cast<QAbstractItemView*>(control))
        WireItemView(view);

    if (control->property("menu").toBool())
        WireMenu(control);
}

// Sees every widget of the application: wires late-added controls when they are
// polished and turns an edit's loss of focus into "killfocus".
class LateWiring : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType())
            WireControl(static_cast<QWidget*>(watched));
        else if (event->type() == QEvent::FocusOut && IsEdit(watched))
            Send(static_cast<QWidget*>(watched), "killfocus");
        return false;
    }
};

void InstallLateWiring()
{
    static LateWiring* wiring = [] {
        auto* filter = new LateWiring;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(wiring);
}

}  // namespace

void WireNotifications(QWidget* root)
{
    InstallLateWiring();
    WireControl(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        WireControl(child);
}

}  // namespace q31::ui
