#include "ui/control_text.h"

#include "ui/resource_manager.h"

#include <QApplication>
#include <QComboBox>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>

namespace q31::ui {
namespace {

constexpr const char* kTextProperties[] = {"text", "toolTip", "placeholderText", "title", "windowTitle"};
constexpr int kItemTextIdRole = Qt::UserRole + 0x3131;

QByteArray IdKey(const char* property) { return QByteArray("q31TextId_") + property; }
QByteArray ShownKey(const char* property) { return QByteArray("q31TextShown_") + property; }

// "%[message_text_5]" -> "message_text_5"; empty when the text is no id.
QString IdInSkinText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^%\\[([^\\]]+)\\]$"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

void ShowId(QWidget* control, const char* property, const QString& id)
{
    const QString text = CResourceManager::GetInstance().GetText(id, QString::fromLatin1(property));
    control->setProperty(IdKey(property), id);
    control->setProperty(ShownKey(property), text);
    control->setProperty(property, text);
}

void BindComboItems(QComboBox* combo)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QString id = IdInSkinText(combo->itemText(i));
        if (!id.isEmpty())
            combo->setItemData(i, id, kItemTextIdRole);
    }
}

void RefreshComboItems(QComboBox* combo)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QString id = combo->itemData(i, kItemTextIdRole).toString();
        if (!id.isEmpty())
            combo->setItemText(i, CResourceManager::GetInstance().GetText(id));
    }
}

void BindControl(QWidget* control)
{
    for (const char* property : kTextProperties) {
        const QVariant value = control->property(property);
        if (value.typeId() != QMetaType::QString)
            continue;
        const QString id = IdInSkinText(value.toString());
        if (!id.isEmpty())
            ShowId(control, property, id);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        BindComboItems(combo);
        RefreshComboItems(combo);
    }
}

void RefreshControl(QWidget* control)
{
    for (const char* property : kTextProperties) {
        const QString id = control->property(IdKey(property)).toString();
        if (id.isEmpty())
            continue;
        if (control->property(property) != control->property(ShownKey(property))) {
            control->setProperty(IdKey(property), QVariant());
            continue;
        }
        ShowId(control, property, id);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control))
        RefreshComboItems(combo);
}

}  // namespace

void BindTexts(QWidget* root)
{
    BindControl(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        BindControl(child);
}

void SetTextId(QWidget* control, const QString& id, const char* property)
{
    ShowId(control, property, id);
}

QString TextId(const QWidget* control, const char* property)
{
    return control->property(IdKey(property)).toString();
}

void RefreshTexts()
{
    for (QWidget* control : QApplication::allWidgets())
        RefreshControl(control);
}

}  // namespace q31::ui
