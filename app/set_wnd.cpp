#include "app/set_wnd.h"

#include "app/language_config.h"
#include "app/registered_messages.h"
#include "controls/circle_progress_ui.h"
#include "platform/debug_log.h"
#include "ui/container_ui.h"
#include "ui/control_text.h"
#include "ui/resource_manager.h"
#include "update/last_check_date.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

using namespace q31::update;

namespace {

constexpr int kListPage = 0;
constexpr int kConfirmPage = 1;

bool OffersUpdate(int state)
{
    return state == kStateNeedUpdate || state == kStateNeedUpdateToo;
}

// A line the updating program has been given and not yet finished.
bool InUpdate(int state)
{
    return state >= kStateDownloadWait && state <= kStateUpdating;
}

// Closing now would leave a transfer to the device half done.
bool BlocksClose(int state)
{
    return state == kStateDownloading || state == kStateUpdating;
}

}  // namespace

CSetWnd::CSetWnd(IMessageReceiver* languageTarget, int languageIndex, std::vector<UpdateComponent> components,
                 UpdateService service)
    : m_languageTarget(languageTarget),
      m_languageIndex(languageIndex),
      m_components(std::move(components)),
      m_service(std::move(service))
{
}

CSetWnd::~CSetWnd()
{
    StopWorkers();
}

void CSetWnd::InitWindow()
{
    m_languageCombo = m_pm.FindControl<QComboBox>(QStringLiteral("Language_combox_info"));
    m_list = m_pm.FindControl(QStringLiteral("device_update_list_info"));
    m_updateButton = m_pm.FindControl(QStringLiteral("update_fw_and_ap"));
    m_statusText = m_pm.FindControl(QStringLiteral("Update_Status_text"));
    m_statusImage = m_pm.FindControl(QStringLiteral("update_status_image"));
    m_statusRing = m_pm.FindControl<CCircleProgressUI>(QStringLiteral("update_status_ring"));
    m_tabs = m_pm.FindControl<CTabLayoutUI>(QStringLiteral("get_update_tab_layout"));
    FillLanguages();
    m_lastCheckDate = ReadOrCreateLastCheckDate();
    SetUpdateStatus(kStatusChecking);
    StartCheck();
}

void CSetWnd::FillLanguages()
{
    if (!m_languageCombo)
        return;
    const QSignalBlocker quiet(m_languageCombo);
    m_languageCombo->clear();
    for (const q31::app::LanguageEntry& language : q31::app::ReadLanguageConfig())
        m_languageCombo->addItem(QStringLiteral("%[%1]").arg(language.text));
    q31::ui::BindTexts(m_languageCombo);
    // An index the list does not have selects nothing.
    m_languageCombo->setCurrentIndex(m_languageIndex >= 0 && m_languageIndex < m_languageCombo->count()
                                         ? m_languageIndex
                                         : -1);
}

void CSetWnd::OnLanguageChosen(int index)
{
    if (index < 0 || (m_languageCombo && index >= m_languageCombo->count()))
        return;
    m_languageIndex = index;
    if (m_languageTarget)
        SendMessageTo(*m_languageTarget, kLanguageChanged, WPARAM(index), 0);
}

void CSetWnd::StartCheck()
{
    UpdateCheckObserver observer;
    observer.linesAdded = [this](const std::vector<UpdateListLine>& lines) { OnLinesAdded(lines); };
    observer.lineUpdated = [this](std::size_t index, const UpdateListLine& line) { OnLineUpdated(index, line); };
    observer.finished = [this](const UpdateCheckResult& result) { OnCheckFinished(result); };
    m_worker = std::make_unique<CUpdateCheckWorker>(MessageContext(), std::move(observer));
    m_worker->Start(m_components, m_service);
}

void CSetWnd::OnLinesAdded(const std::vector<UpdateListLine>& lines)
{
    m_lines.clear();
    auto* layout = m_list ? qobject_cast<QBoxLayout*>(m_list->layout()) : nullptr;
    for (const UpdateListLine& line : lines) {
        auto item = std::make_unique<CUpdateInfoListItemUI>(line, m_list);
        // Before the list's closing spacer.
        if (layout && item->IsUsable())
            layout->insertWidget(layout->count() - 1, item->Root());
        m_lines.push_back(std::move(item));
    }
    if (m_statusRing)
        m_statusRing->setRange(0, int(lines.size()));
}

void CSetWnd::OnLineUpdated(std::size_t index, const UpdateListLine& line)
{
    if (index >= m_lines.size())
        return;
    m_lines[index]->SetLine(line);
    if (m_statusRing)
        m_statusRing->setValue(int(index) + 1);
}

void CSetWnd::OnCheckFinished(const UpdateCheckResult& result)
{
    m_lastCheckDate = result.lastCheckDate;
    ShowUpdateButton();
    SetUpdateStatus(result.status);
}

void CSetWnd::SetUpdateStatus(int status)
{
    if (status < kStatusChecking || status > kStatusLatest)
        return;
    m_status = status;
    if (m_statusRing)
        m_statusRing->setVisible(status == kStatusChecking);
    // The tick only where there is nothing left to do.
    if (m_statusImage)
        m_statusImage->setVisible(status == kStatusLatest);
    if (!m_statusText)
        return;
    static constexpr const char* kTexts[] = {"GetUpdateInfoText", "HaveUpdateInfoText", "NoUpdateInfoText",
                                             "ISUpdateINGText", "UpdateIsLastText"};
    const QString id = QString::fromLatin1(kTexts[status]);
    if (status == kStatusLatest)
        m_statusText->setProperty("text", CResourceManager::GetInstance().GetText(id) + m_lastCheckDate);
    else
        q31::ui::SetTextId(m_statusText, id);
}

void CSetWnd::ShowUpdateButton()
{
    if (!m_updateButton)
        return;
    const bool any = !m_updateConfirmed && std::any_of(m_lines.begin(), m_lines.end(),
                                                       [](const auto& line) { return line->IsSelected(); });
    m_updateButton->setEnabled(any);
    m_updateButton->setVisible(any);
}

void CSetWnd::ConfirmUpdate()
{
    bool anyChosen = false;
    for (const auto& line : m_lines) {
        if (!OffersUpdate(line->State()))
            continue;
        if (line->IsSelected()) {
            line->SetState(kStateDownloadWait);
            anyChosen = true;
        } else {
            line->DropSelection();
        }
    }
    m_updateConfirmed = true;
    if (m_updateButton)
        m_updateButton->setEnabled(false);
    if (anyChosen)
        SetUpdateStatus(kStatusUpdating);
    ShowTab(kListPage);
}

void CSetWnd::ShowTab(int page)
{
    if (m_tabs)
        m_tabs->SelectItem(page);
}

CUpdateInfoListItemUI* CSetWnd::CurrentLine() const
{
    const auto line = std::find_if(m_lines.begin(), m_lines.end(), [](const auto& l) { return InUpdate(l->State()); });
    return line == m_lines.end() ? nullptr : line->get();
}

bool CSetWnd::AnyLineOffersUpdate() const
{
    return std::any_of(m_lines.begin(), m_lines.end(), [](const auto& line) {
        return OffersUpdate(line->State()) || line->State() == kStateDownloadWait;
    });
}

void CSetWnd::OnUpdateProgress(WPARAM kind, LPARAM value)
{
    CUpdateInfoListItemUI* line = CurrentLine();
    if (!line) {
        OutputDebugText(QStringLiteral("SET_WND: update progress %1 with no line in update").arg(kind));
        return;
    }
    if (kind == kProgressLineDone) {
        line->MarkUpdated();
        SetUpdateStatus(AnyLineOffersUpdate() ? kStatusHaveUpdate : kStatusLatest);
        ShowUpdateButton();
    } else if (kind == kProgressPercent) {
        // Progress means the transfer has begun.
        if (line->State() == kStateDownloadWait)
            line->SetState(kStateDownloading);
        line->SetProgress(int(std::clamp<LPARAM>(value, 0, 100)));
    }
}

void CSetWnd::Notify(TNotifyUI& msg)
{
    const QString name = msg.pSender ? msg.pSender->objectName() : QString();
    if (msg.sType == QLatin1String("click")) {
        if (name == QLatin1String("closebtn") || name == QLatin1String("laterbtn"))
            RequestClose();
        else if (name == QLatin1String("minbtn") && GetHWND())
            GetHWND()->showMinimized();
        else if (name == QLatin1String("update_fw_and_ap"))
            ShowTab(kConfirmPage);
        else if (name == QLatin1String("update_OK_btn"))
            ConfirmUpdate();
    } else if (msg.sType == QLatin1String("selectchanged")) {
        if (std::any_of(m_lines.begin(), m_lines.end(), [&](const auto& line) { return line->Owns(msg.pSender); }))
            ShowUpdateButton();
    } else if (msg.sType == QLatin1String("itemselect") && msg.pSender == m_languageCombo) {
        OnLanguageChosen(int(msg.wParam));
    }
}

LRESULT CSetWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && message == g_msgUpdateProgress) {
        OnUpdateProgress(wParam, lParam);
    } else if (message == kLanguageChanged) {
        // The status with the date is no plain language text: show it again in the new language.
        if (m_status == kStatusLatest)
            SetUpdateStatus(kStatusLatest);
        if (GetHWND())
            GetHWND()->update();
    }
    return 0;
}

void CSetWnd::SetDPI(int dpi)
{
    m_dpi = SetStepDpi(dpi, QSize(kWidth, kHeight));
}

bool CSetWnd::RequestClose()
{
    if (std::any_of(m_lines.begin(), m_lines.end(), [](const auto& line) { return BlocksClose(line->State()); })) {
        OutputDebugText(QStringLiteral("SET_WND: an update is in progress, the window stays open"));
        return false;
    }
    StopWorkers();
    Close(IDCANCEL);
    return true;
}

void CSetWnd::StopWorkers()
{
    if (!m_worker)
        return;
    if (m_worker->Stop())
        OutputDebugText(QStringLiteral("所有对象处于激发状态\n"));
    else
        OutputDebugText(QStringLiteral("SET_WND: the update check did not end within %1 ms")
                            .arg(CUpdateCheckWorker::kStopWaitMs));
}
