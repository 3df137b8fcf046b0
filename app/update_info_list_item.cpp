#include "app/update_info_list_item.h"

#include "ui/control_text.h"
#include "ui/dialog_builder.h"
#include "ui/paint_manager.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

using namespace q31::update;

namespace {

constexpr std::array<const char*, 9> kStateTexts = {
    "LessUpdateText",   "NeedUpdateText", "NeedUpdateText", "DownloadWaitText", "DownloadIngText",
    "DownloadOkText",   "UpdateIngText",  "UpdateOkText",   "UpdateFailText",
};
constexpr const char* kUnavailableStyle = "color: #666666;";

bool OffersUpdate(int state)
{
    return state == kStateNeedUpdate || state == kStateNeedUpdateToo;
}

bool ShowsProgress(int state)
{
    return state == kStateDownloading || state == kStateUpdating;
}

template <typename T>
T* Find(QWidget* root, const char* name)
{
    return root ? qobject_cast<T*>(CPaintManagerUI::FindSubControlByName(root, QString::fromLatin1(name))) : nullptr;
}

}  // namespace

QString UpdateStateTextId(int state)
{
    return state >= 0 && std::size_t(state) < kStateTexts.size() ? QString::fromLatin1(kStateTexts[state])
                                                                 : QString();
}

CUpdateInfoListItemUI::CUpdateInfoListItemUI(const UpdateListLine& line, QWidget* parent)
    : m_root(CDialogBuilder::Create(QString::fromLatin1(kSkin), nullptr, parent))
{
    m_check = Find<QAbstractButton>(m_root, "check_name_select");
    m_name = Find<QLabel>(m_root, "update_item_name");
    m_installed = Find<QLabel>(m_root, "update_item_installed");
    m_available = Find<QLabel>(m_root, "update_item_available");
    m_state = Find<QLabel>(m_root, "update_item_state");
    m_progress = Find<QProgressBar>(m_root, "update_progress_value");
    if (m_progress)
        m_progress->setRange(0, 100);
    SetLine(line);
}

void CUpdateInfoListItemUI::SetLine(const UpdateListLine& line)
{
    m_line = line;
    if (m_name)
        m_name->setText(line.name);
    if (m_installed)
        m_installed->setText(line.installedVersionText);
    if (m_available)
        m_available->setText(line.availableVersionText);
    if (m_check) {
        const QSignalBlocker quiet(m_check);
        m_check->setChecked(line.selected);
        m_check->setHidden(!OffersUpdate(line.state));
    }
    ShowState();
}

void CUpdateInfoListItemUI::SetState(int state)
{
    m_line.state = state;
    ShowState();
}

void CUpdateInfoListItemUI::SetProgress(int percent)
{
    if (m_progress)
        m_progress->setValue(std::clamp(percent, 0, 100));
}

int CUpdateInfoListItemUI::Progress() const
{
    return m_progress ? m_progress->value() : 0;
}

bool CUpdateInfoListItemUI::IsSelected() const
{
    return m_check && !m_check->isHidden() && m_check->isChecked();
}

void CUpdateInfoListItemUI::DropSelection()
{
    m_line.selected = false;
    if (!m_check)
        return;
    const QSignalBlocker quiet(m_check);
    m_check->setChecked(false);
    m_check->hide();
}

bool CUpdateInfoListItemUI::Owns(const QObject* control) const
{
    return control && control == m_check;
}

void CUpdateInfoListItemUI::MarkUpdated()
{
    if (!m_line.availableVersionText.isEmpty())
        m_line.installedVersionText = m_line.availableVersionText;
    m_line.availableVersionText.clear();
    m_line.state = kStateUpToDate;
    m_line.selected = false;
    SetLine(m_line);
}

void CUpdateInfoListItemUI::ShowState()
{
    if (m_state) {
        q31::ui::SetTextId(m_state, UpdateStateTextId(m_line.state));
        m_state->setStyleSheet(m_line.state == kStateNoUpdate ? QString::fromLatin1(kUnavailableStyle) : QString());
    }
    if (m_progress)
        m_progress->setHidden(!ShowsProgress(m_line.state));
}
