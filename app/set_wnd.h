#pragma once
// The modal settings window ("SetWnd", 630 x 500): the language, and the list
// of firmware and application updates from an update check that runs while the
// window is open. Installing is left to an external updating program, whose
// progress messages the main window forwards here.
#include "app/update_info_list_item.h"
#include "update/update_check_worker.h"
#include "update/update_component.h"
#include "update/update_service.h"
#include "ui/window_impl_base.h"

#include <memory>
#include <vector>

class QComboBox;
class CCircleProgressUI;
class CTabLayoutUI;

class CSetWnd : public WindowImplBase {
public:
    static constexpr int kWidth = 630;
    static constexpr int kHeight = 500;
    // Private messages: a language was chosen (to the main window, and back from it).
    static constexpr UINT kLanguageChanged = 0x0C11;
    // The updating program's progress, as its wParam says.
    enum ProgressKind : WPARAM { kProgressLineDone = 1, kProgressPercent = 4 };

    // languageTarget hears the chosen language; components are the listed ones
    // (each with its installed version), asked about at service.
    CSetWnd(IMessageReceiver* languageTarget, int languageIndex, std::vector<q31::update::UpdateComponent> components,
            q31::update::UpdateService service);
    ~CSetWnd() override;

    QString GetSkinFile() override { return QStringLiteral("XML/setwnd.xml"); }
    QString GetWindowClassName() const override { return QStringLiteral("SetWnd"); }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // 48, 72, 96, 120, 144, 168 or 192; anything else is logged and becomes 96.
    void SetDPI(int dpi);
    int GetDPI() const { return m_dpi; }
    void SetUpdateStatus(int status);
    int GetUpdateStatus() const { return m_status; }
    // The close button's way: refused (false) while a line downloads or updates.
    bool RequestClose();
    // Ends the update check within its bounded wait.
    void StopWorkers();

    int GetLanguageIndex() const { return m_languageIndex; }
    QString GetLastCheckDate() const { return m_lastCheckDate; }
    const std::vector<std::unique_ptr<CUpdateInfoListItemUI>>& Lines() const { return m_lines; }
    bool IsChecking() const { return m_worker && m_worker->IsRunning(); }
    bool IsUpdateConfirmed() const { return m_updateConfirmed; }

private:
    void FillLanguages();
    void OnLanguageChosen(int index);
    void StartCheck();
    void OnLinesAdded(const std::vector<q31::update::UpdateListLine>& lines);
    void OnLineUpdated(std::size_t index, const q31::update::UpdateListLine& line);
    void OnCheckFinished(const q31::update::UpdateCheckResult& result);
    // The update button shows while any line is picked.
    void ShowUpdateButton();
    void ConfirmUpdate();
    void OnUpdateProgress(WPARAM kind, LPARAM value);
    // The line the updating program works on: the first one it has not finished.
    CUpdateInfoListItemUI* CurrentLine() const;
    bool AnyLineOffersUpdate() const;
    void ShowTab(int page);

    IMessageReceiver* m_languageTarget;
    int m_languageIndex;
    int m_dpi = CPaintManagerUI::kDefaultDpi;
    int m_status = q31::update::kStatusChecking;
    bool m_updateConfirmed = false;
    QString m_lastCheckDate;
    std::vector<q31::update::UpdateComponent> m_components;
    q31::update::UpdateService m_service;
    std::unique_ptr<q31::update::CUpdateCheckWorker> m_worker;
    std::vector<std::unique_ptr<CUpdateInfoListItemUI>> m_lines;

    QComboBox* m_languageCombo = nullptr;
    QWidget* m_list = nullptr;
    QWidget* m_updateButton = nullptr;
    QWidget* m_statusText = nullptr;
    QWidget* m_statusImage = nullptr;
    CCircleProgressUI* m_statusRing = nullptr;
    CTabLayoutUI* m_tabs = nullptr;
};
