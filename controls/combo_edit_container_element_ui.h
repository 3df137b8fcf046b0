#pragma once
// A list item whose content comes from its own layout file,
// "XML/CustomControlXML/ComboEditElementItem.xml", with the children "text1",
// "text2" and "delay_edit". Items under one parent form a list: a click selects
// one item (with Ctrl it toggles just this one). Sends "itemclick" on release,
// "itemactivate" on a double click or Enter, and "return" on Enter.
// Attributes: "hotbkcolor" and "selectedbkcolor" colour the item's background
// in those states; "normalimage", "hotimage" and "selectedimage" are ignored.
#include "ui/container_ui.h"

#include <QPointer>

class CComboEditContainerElementUI : public CContainerUI {
    Q_OBJECT
public:
    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("ComboEditContainerElement"); }
    bool SetAttribute(const QString& name, const QString& value) override;

    // Null when the layout file is missing or lacks the child.
    QWidget* GetText1() const { return m_text1; }
    QWidget* GetText2() const { return m_text2; }
    QWidget* GetDelayEdit() const { return m_delayEdit; }

    bool IsSelected() const { return m_selected; }
    // Selecting alone clears the selection of the other items of the list.
    void Select(bool selected, bool alone = true);
    bool IsHot() const { return m_hot; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Activate();
    void SetState(bool& state, bool on);

    QPointer<QWidget> m_text1;
    QPointer<QWidget> m_text2;
    QPointer<QWidget> m_delayEdit;
    bool m_selected = false;
    bool m_hot = false;
    DWORD m_hotColour = 0;
    DWORD m_selectedColour = 0;
};
