#pragma once
// One line of the settings window's update list ("UpdateInfoListItemUI"),
// built from its own skin file: a component's name, versions and state, the
// check that picks it for updating and its progress bar.
#include "update/update_check_run.h"

#include <QString>

class QAbstractButton;
class QObject;
class QLabel;
class QProgressBar;
class QWidget;

class CUpdateInfoListItemUI {
public:
    static constexpr const char* kSkin = "XML/CustomControlXML/device_Update_list_item.xml";

    // Builds the line under parent; IsUsable() tells whether the skin had it.
    CUpdateInfoListItemUI(const q31::update::UpdateListLine& line, QWidget* parent);

    bool IsUsable() const { return m_root != nullptr; }
    QWidget* Root() const { return m_root; }
    const q31::update::UpdateListLine& Line() const { return m_line; }
    int State() const { return m_line.state; }
    // Shows the line; its check is offered when the line has an update.
    void SetLine(const q31::update::UpdateListLine& line);
    void SetState(int state);
    // Clamped to 0..100.
    void SetProgress(int percent);
    int Progress() const;
    bool IsSelected() const;
    // Hides and clears the check: the line is out of this update.
    void DropSelection();
    // Whether this check is the line's.
    bool Owns(const QObject* control) const;
    // Up to date with what it was offered: the available version is now the installed one.
    void MarkUpdated();

private:
    void ShowState();

    q31::update::UpdateListLine m_line;
    QWidget* m_root = nullptr;
    QAbstractButton* m_check = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_installed = nullptr;
    QLabel* m_available = nullptr;
    QLabel* m_state = nullptr;
    QProgressBar* m_progress = nullptr;
};

// The language id of a line state's text; empty outside 0..8.
QString UpdateStateTextId(int state);
