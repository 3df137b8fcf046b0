#pragma once
// Containers: a plain one with the shared look ("bkcolor", "bkimage"), vertical
// and horizontal layouts (their box layout is made on the first Add when the
// skin gave none), and the tab layout that shows one child by index.
#include "platform/win_types.h"
#include "ui/control_look.h"

#include <QStackedWidget>
#include <QWidget>

class CContainerUI : public QWidget {
    Q_OBJECT
public:
    explicit CContainerUI(QWidget* parent = nullptr);

    virtual QString GetClass() const { return QStringLiteral("Container"); }
    virtual bool SetAttribute(const QString& name, const QString& value);
    // Appends a child to the container's layout.
    void Add(QWidget* control);

    void SetBkColor(DWORD colour);
    DWORD GetBkColor() const { return m_look.GetBkColor(); }
    void SetBkImage(const QString& image);
    QString GetBkImage() const { return m_look.GetBkImage(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The layout Add uses when the container has none yet.
    virtual QLayout* MakeLayout();

private:
    q31::ui::CControlLook m_look;
};

class CVerticalLayoutUI : public CContainerUI {
    Q_OBJECT
public:
    explicit CVerticalLayoutUI(QWidget* parent = nullptr) : CContainerUI(parent) {}
    QString GetClass() const override { return QStringLiteral("VerticalLayout"); }
};

class CHorizontalLayoutUI : public CContainerUI {
    Q_OBJECT
public:
    explicit CHorizontalLayoutUI(QWidget* parent = nullptr) : CContainerUI(parent) {}
    QString GetClass() const override { return QStringLiteral("HorizontalLayout"); }

protected:
    QLayout* MakeLayout() override;
};

// Selecting a page raises "selectchanged" (wParam: the index).
class CTabLayoutUI : public QStackedWidget {
    Q_OBJECT
public:
    explicit CTabLayoutUI(QWidget* parent = nullptr) : QStackedWidget(parent) {}
    QString GetClass() const { return QStringLiteral("TabLayout"); }
    // False when the index is out of range.
    bool SelectItem(int index);
    int GetCurSel() const { return currentIndex(); }
};
