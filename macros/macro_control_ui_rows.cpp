// The event rows of the editor: building, moving, deleting and inserting them.
#include "macros/macro_control_ui.h"

#include "macros/macro_event.h"
#include "macros/macro_event_row.h"
#include "macros/macro_mouse_events.h"
#include "profiles/json_file.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

using namespace q31::macros;
using q31::ParseJsonText;

namespace {

constexpr int kRowHeight = 30;
// Rows kept in view below a row moved up or down, so the moved row stays clear of the edge.
constexpr int kLookAheadUp = 5;
constexpr int kLookAheadDown = 7;

std::string RowText(const QListWidgetItem* item)
{
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

}  // namespace

void CMacroControlUI::RemoveAllRows()
{
    if (QListWidget* list = ActionList())
        list->clear();
}

void CMacroControlUI::InsertRow(int position, const Json::Value& event, int delay)
{
    QListWidget* list = ActionList();
    if (!list)
        return;
    auto* item = new QListWidgetItem;
    item->setData(Qt::UserRole, QString::fromStdString(EventText(event)));
    item->setSizeHint(QSize(0, kRowHeight));
    list->insertItem(std::clamp(position, 0, list->count()), item);
    list->setItemWidget(item, MakeEventRow(event, delay));
}

void CMacroControlUI::SelectRow(int row)
{
    QListWidget* list = ActionList();
    if (list)
        list->setCurrentRow(row);
}

void CMacroControlUI::MoveRow(int from, int to)
{
    QListWidget* list = ActionList();
    const Json::Value event = ParseJsonText(RowText(list->item(from)));
    delete list->takeItem(from);
    InsertRow(to, event, DelayOf(event["Delay"]));
    SelectRow(to);
}

void CMacroControlUI::MoveEventUp()
{
    QListWidget* list = ActionList();
    const int selected = list ? list->currentRow() : -1;
    if (selected <= 0)
        return;
    const int count = list->count();
    MoveRow(selected, selected - 1);
    if (selected + kLookAheadUp < count)
        list->scrollToItem(list->item(selected + kLookAheadUp));
    else
        list->scrollToBottom();
}

void CMacroControlUI::MoveEventDown()
{
    QListWidget* list = ActionList();
    const int selected = list ? list->currentRow() : -1;
    if (selected < 0 || selected == list->count() - 1)
        return;
    const int count = list->count();
    MoveRow(selected, selected + 1);
    if (selected + kLookAheadDown < count)
        list->scrollToItem(list->item(selected + kLookAheadDown));
    else
        list->scrollToBottom();
}

void CMacroControlUI::MoveEventToTop()
{
    QListWidget* list = ActionList();
    const int selected = list ? list->currentRow() : -1;
    if (selected <= 0)
        return;
    MoveRow(selected, 0);
    list->scrollToTop();
}

void CMacroControlUI::MoveEventToBottom()
{
    QListWidget* list = ActionList();
    const int selected = list ? list->currentRow() : -1;
    if (selected < 0 || selected == list->count() - 1)
        return;
    MoveRow(selected, list->count() - 1);
    list->scrollToBottom();
}

void CMacroControlUI::DeleteEvent()
{
    QListWidget* list = ActionList();
    const int selected = list ? list->currentRow() : -1;
    if (selected < 0)
        return;
    delete list->takeItem(selected);
    list->setCurrentRow(-1);
}

void CMacroControlUI::DeleteAllEvents()
{
    RemoveAllRows();
}

int CMacroControlUI::DistanceIn(const QString& field) const
{
    const auto* edit = field.isEmpty() ? nullptr : findChild<QLineEdit*>(field);
    return edit ? edit->text().trimmed().toInt() : 0;
}

void CMacroControlUI::InsertMouseEvent(unsigned message, int variant)
{
    QListWidget* list = ActionList();
    if (!list)
        return;
    const int distance = message == kMouseMoveMessage ? DistanceIn(DistanceFieldOf(variant)) : 0;
    const auto event = MouseEventFor({message, variant}, distance, FixedDelay());
    if (!event)
        return;
    const int selected = std::max(list->currentRow(), 0);
    const int count = list->count();
    list->setCurrentRow(-1);
    InsertRow(count > 0 ? selected + 1 : 0, *event, FixedDelay());
    if (count > 0)
        SelectRow(selected + 1);
    list->scrollToItem(list->item(std::min(selected + 1, list->count() - 1)));
}

std::vector<EditorRow> CMacroControlUI::CollectRows() const
{
    std::vector<EditorRow> rows;
    const QListWidget* list = ActionList();
    for (int i = 0; list && i < list->count(); ++i) {
        const QLineEdit* field = DelayFieldOf(list->itemWidget(list->item(i)));
        rows.push_back({field ? field->text() : QString(), RowText(list->item(i))});
    }
    return rows;
}

void CMacroControlUI::PutBackRows(const std::vector<EditorRow>& rows)
{
    const QListWidget* list = ActionList();
    for (int i = 0; list && i < list->count() && std::size_t(i) < rows.size(); ++i)
        PutBackRow(i, rows[i]);
}

void CMacroControlUI::PutBackRow(int index, const EditorRow& row)
{
    QListWidget* list = ActionList();
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    if (!item)
        return;
    if (QLineEdit* field = DelayFieldOf(list->itemWidget(item)); field && field->text() != row.delay)
        field->setText(row.delay);
    item->setData(Qt::UserRole, QString::fromStdString(row.eventText));
}
