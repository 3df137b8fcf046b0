// The editor's file operations: deleting with the key bindings that follow,
// saving, importing and exporting.
#include "macros/macro_control_ui.h"

#include "macros/macro_rebinding.h"
#include "profiles/basic_profile_data.h"

#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

using namespace q31::macros;

namespace {

bool AnyProfileBindsMacro(const QStringList& documents, int macro)
{
    return std::any_of(documents.begin(), documents.end(), [macro](const QString& path) {
        CBasicProfiledata profile;
        profile.SetDocumentPath(path);
        return !profile.LoadDeviceSection(path).isNull() && AnyKeyBoundTo(profile.ReadKeyList(), macro);
    });
}

}  // namespace

void CMacroControlUI::DeleteMacro()
{
    // Noted first: what follows changes the selection.
    const int position = GetSelectedMacro();
    if (!m_prompts.confirm(QStringLiteral("message_text_4")) || position < 0 || !m_storage)
        return;
    const QStringList documents = ProfileDocumentsOf(m_storage->Files().Path());
    if (AnyProfileBindsMacro(documents, position) && !m_prompts.confirm(QStringLiteral("message_text_2")))
        return;
    if (m_storage->DeleteMacro(position) < 0)
        return;
    const bool keysChanged = !RebindProfileDocuments(documents, position).rewritten.isEmpty();
    QListWidget* list = NameList();
    {
        const QSignalBlocker quiet(list);
        delete list->takeItem(position);
    }
    m_names.removeAt(position);
    RemoveAllRows();
    if (list->count() > 0) {
        SelectMacroRow(0);
    } else {
        EnableMacroTools(false);
    }
    emit MacroDeleted(position, keysChanged);
    emit MacroNamesChanged();
}

void CMacroControlUI::SaveMacro()
{
    const int selected = GetSelectedMacro();
    if (selected < 0 || !m_storage)
        return;
    std::vector<EditorRow> rows = CollectRows();
    if (m_storage->SaveMacro(selected, rows))
        PutBackRows(rows);
}

void CMacroControlUI::ExportMacro()
{
    const int selected = GetSelectedMacro();
    if (selected < 0 || !m_storage)
        return;
    const QString target = m_prompts.saveFilePath();
    if (!target.isEmpty())
        m_storage->ExportMacro(selected, target);
}

QString CMacroControlUI::ImportMacro()
{
    if (!m_storage)
        return {};
    const QString source = m_prompts.openFilePath();
    if (source.isEmpty())
        return {};
    const QString name = m_storage->ImportMacro(source);
    if (!name.isEmpty())
        AppendNewestMacro();
    return name;
}
