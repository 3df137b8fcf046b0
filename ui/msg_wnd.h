#pragma once
// The one modal message box for questions and notices (skin "XML_MSG").
#include "ui/window_impl_base.h"

class QAbstractButton;

class CMsgWnd : public WindowImplBase {
public:
    CMsgWnd();

    QString GetSkinFile() override { return QStringLiteral("XML_MSG"); }
    QString GetWindowClassName() const override { return QStringLiteral("MsgWnd"); }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    // The box owns itself and goes with its window.
    void OnFinalMessage() override { delete this; }

    // Empty texts leave the skin's.
    void SetTitle(const QString& title);
    void SetTextIsResourceId(bool isResourceId) { m_textIsResourceId = isResourceId; }
    void SetText(const QString& text);
    // 48, 72, 96, 120, 144, 168 or 192; anything else becomes 96. Applied to
    // every window.
    void SetDPI(int dpi);
    int GetDPI() const { return m_dpi; }
    // 0: confirm only; 1: confirm and cancel; other values keep the skin's choice.
    void SetButtons(int buttons);
    // Whether the skin gave the controls the box needs.
    bool IsUsable() const;
    // Grows the box so that a long text is never cut off.
    void FitToText();

private:
    ~CMsgWnd() override = default;

    QWidget* m_closeButton = nullptr;
    int m_dpi = CPaintManagerUI::kDefaultDpi;
    bool m_textIsResourceId = false;
};

// 1 when the user confirmed; 0 for cancel or the title bar's close button, and
// when the skin cannot show the box.
int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsResourceId,
                   int buttons);
