#include "macros/macro_control_ui.h"

#include "macros/macro_mouse_events.h"
#include "ui/control_factory.h"
#include "ui/menu_wnd.h"
#include "ui/msg_wnd.h"
#include "ui/paint_manager.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace q31::macros {
namespace {

constexpr int kNameRowHeight = 30;
const QString kMacroFilter = QStringLiteral("Macro Files(*.mac)");
const QString kEventMenu = QStringLiteral("XML/Menus/macro_action_menu.xml");

int DpiOf(QWidget* widget)
{
    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(widget);
    return manager ? manager->GetDPI() : CPaintManagerUI::kDefaultDpi;
}

}  // namespace

MacroEditorPrompts DesktopPrompts(QWidget* editor)
{
    const QPointer<QWidget> owner(editor);
    const auto window = [owner] { return owner ? owner->window() : nullptr; };
    return {
        [window](const QString& textId) { return ShowMessageBox(window(), {}, textId, DpiOf(window()), true, 1) == 1; },
        [window](const QString& textId) { ShowMessageBox(window(), {}, textId, DpiOf(window()), true, 0); },
        [window] { return QFileDialog::getSaveFileName(window(), {}, {}, kMacroFilter); },
        [window] { return QFileDialog::getOpenFileName(window(), {}, {}, kMacroFilter); },
    };
}

}  // namespace q31::macros

using namespace q31::macros;

namespace {

// Recorded rows come in bursts; the list follows them once they settle.
constexpr int kRecordingScrollMs = 50;

}  // namespace

CMacroControlUI::CMacroControlUI(QWidget* parent) : CHorizontalLayoutUI(parent), m_prompts(DesktopPrompts(this))
{
    m_recordingScroll.setSingleShot(true);
    m_recordingScroll.setInterval(kRecordingScrollMs);
    connect(&m_recordingScroll, &QTimer::timeout, this, &CMacroControlUI::ScrollToRecorded);
}

CMacroControlUI::~CMacroControlUI()
{
    // Keyboard input never stays swallowed after the page is gone.
    if (IsRecording() && m_capture)
        m_capture->Stop();
}

QWidget* CMacroControlUI::Find(const char* name) const
{
    return findChild<QWidget*>(QLatin1String(name));
}

QListWidget* CMacroControlUI::NameList() const
{
    return findChild<QListWidget*>(QStringLiteral("macro_name_list"));
}

QListWidget* CMacroControlUI::ActionList() const
{
    return findChild<QListWidget*>(QStringLiteral("macro_action_list"));
}

void CMacroControlUI::SetMacroFolder(const QString& folder)
{
    if (!m_storage)
        WireControls();
    m_storage = std::make_unique<MacroStorage>(folder);
}

void CMacroControlUI::WireControls()
{
    if (QListWidget* list = ActionList()) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QListWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
            if (list->itemAt(at))
                OpenEventMenu(list->viewport()->mapToGlobal(at));
        });
    }
    for (const char* name : {"mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit", "mouse_y_down_edit",
                             "macro_fixed_time_edit"}) {
        if (auto* field = findChild<QLineEdit*>(QLatin1String(name)))
            field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    }
}

void CMacroControlUI::LoadMacroList()
{
    QListWidget* list = NameList();
    if (!m_storage || !list)
        return;
    const QSignalBlocker quiet(list);
    list->clear();
    m_names.clear();
    for (const MacroEntry& entry : m_storage->LoadMacroList()) {
        auto* item = new QListWidgetItem(entry.name, list);
        item->setData(Qt::UserRole, entry.guid);
        item->setSizeHint(QSize(0, kNameRowHeight));
        m_names.append(entry.name);
    }
    list->setCurrentRow(-1);
    RemoveAllRows();
}

int CMacroControlUI::GetSelectedMacro() const
{
    const QListWidget* list = NameList();
    if (!list || list->count() == 0)
        return -1;
    return list->currentRow();
}

void CMacroControlUI::EnableMacroTools(bool enabled)
{
    for (const char* name : {"macro_action_layout", "mouse_move_layout", "macro_btn_export", "macro_btn_name_sub",
                             "macro_btn_name_edit"}) {
        if (QWidget* control = Find(name))
            control->setEnabled(enabled);
    }
}

void CMacroControlUI::ShowSelectedMacro()
{
    const int selected = GetSelectedMacro();
    if (selected < 0 || !m_storage) {
        RemoveAllRows();
        return;
    }
    const QString guid = NameList()->item(selected)->data(Qt::UserRole).toString();
    if (guid.isEmpty())
        return;
    EnableMacroTools(true);
    RemoveAllRows();
    const Json::Value events = m_storage->LoadMacro(guid);
    for (Json::ArrayIndex i = 0; i < events.size(); ++i)
        InsertRow(int(i), events[i], DelayOf(events[i]["Delay"]));
}

void CMacroControlUI::SelectMacroRow(int row)
{
    QListWidget* list = NameList();
    {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(row);
    }
    ShowSelectedMacro();
}

void CMacroControlUI::AppendNewestMacro()
{
    const std::vector<MacroEntry> entries = m_storage->LoadMacroList();
    QListWidget* list = NameList();
    if (entries.empty() || !list)
        return;
    auto* item = new QListWidgetItem(entries.back().name, list);
    item->setData(Qt::UserRole, entries.back().guid);
    item->setSizeHint(QSize(0, kNameRowHeight));
    m_names.append(entries.back().name);
    SelectMacroRow(list->count() - 1);
    emit MacroNamesChanged();
}

QString CMacroControlUI::AddMacro()
{
    if (!m_storage)
        return {};
    const QString name = m_storage->AddMacro();
    if (!name.isEmpty())
        AppendNewestMacro();
    return name;
}

void CMacroControlUI::RenameMacro()
{
    const int selected = GetSelectedMacro();
    const auto* field = findChild<QLineEdit*>(QStringLiteral("macro_edit_macroname"));
    if (selected < 0 || !field || !m_storage)
        return;
    const RenameResult result = m_storage->RenameMacro(selected, field->text().trimmed());
    if (result.position < 0)
        return;
    if (result.name.isEmpty()) {
        m_prompts.notice(QStringLiteral("message_text_5"));
        return;
    }
    NameList()->item(selected)->setText(result.name);
    m_names[selected] = result.name;
    emit MacroNamesChanged();
}

void CMacroControlUI::OnNotify(const TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    if (msg.sType == QLatin1String("itemselect") && name == QLatin1String("macro_name_list")) {
        ShowSelectedMacro();
        return;
    }
    if (msg.sType == QLatin1String("killfocus") && name == QLatin1String("macro_delay")) {
        SaveMacro();
        return;
    }
    if (msg.sType != QLatin1String("click"))
        return;
    if (const auto recording = RecordingItemFor(name)) {
        StartRecording(recording->recordMode, recording->hookMode);
        return;
    }
    if (name == QLatin1String("macro_btn_stopredio")) {
        StopRecording();
        return;
    }
    if (const auto move = MoveButtonFor(name)) {
        InsertMouseEvent(move->message, move->variant);
        SaveMacro();
        return;
    }
    using Operation = void (CMacroControlUI::*)();
    const std::pair<const char*, Operation> savingOperations[] = {
        {"macro_btn_up", &CMacroControlUI::MoveEventUp},
        {"macro_btn_down", &CMacroControlUI::MoveEventDown},
        {"macro_btn_uptop", &CMacroControlUI::MoveEventToTop},
        {"macro_btn_downbottom", &CMacroControlUI::MoveEventToBottom},
        {"macro_btn_delete", &CMacroControlUI::DeleteEvent},
        {"macro_btn_deleteall", &CMacroControlUI::DeleteAllEvents},
        {"macro_btn_save", nullptr},
    };
    for (const auto& [button, operation] : savingOperations) {
        if (name == QLatin1String(button)) {
            if (operation)
                (this->*operation)();
            SaveMacro();
            return;
        }
    }
    if (name == QLatin1String("macro_btn_name_add"))
        AddMacro();
    else if (name == QLatin1String("macro_btn_name_sub"))
        DeleteMacro();
    else if (name == QLatin1String("macro_btn_name_edit"))
        RenameMacro();
    else if (name == QLatin1String("macro_btn_cancel"))
        ReloadMacro();
    else if (name == QLatin1String("macro_btn_import"))
        ImportMacro();
    else if (name == QLatin1String("macro_btn_export"))
        ExportMacro();
}

void CMacroControlUI::OnMenuItem(const QString& item)
{
    if (const auto recording = RecordingItemFor(item)) {
        StartRecording(recording->recordMode, recording->hookMode);
        return;
    }
    const std::vector<MouseInsertion> insertions = MenuItemInsertions(item);
    if (insertions.empty())
        return;
    for (const MouseInsertion& insertion : insertions)
        InsertMouseEvent(insertion.message, insertion.variant);
    SaveMacro();
}

QMenu* CMacroControlUI::OpenEventMenu(const QPoint& at)
{
    if (m_menu)
        m_menu->close();
    m_menu = CMenuWnd::Build(kEventMenu, this);
    if (!m_menu)
        return nullptr;
    m_menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_menu, &QMenu::triggered, this, [this](QAction* action) { OnMenuItem(action->objectName()); });
    m_menu->popup(at);
    return m_menu;
}

void q31::macros::RegisterMacroControls(CControlFactory& factory)
{
    factory.RegisterControl<CMacroControlUI>(QStringLiteral("MacroControlUI"), QStringLiteral("CMacroControlUI"));
}
