#include "ui/msg_wnd.h"

#include "platform/debug_log.h"
#include "ui/control_text.h"
#include "ui/dpi_scaler.h"

CMsgWnd::CMsgWnd() = default;

void CMsgWnd::InitWindow()
{
    m_closeButton = m_pm.FindControl(QStringLiteral("closebtn"));
    if (QWidget* confirm = m_pm.FindControl(QStringLiteral("confirm_btn")))
        confirm->setFocus();
}

void CMsgWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType != QLatin1String("click"))
        return;
    const QString name = msg.pSender ? msg.pSender->objectName() : QString();
    if (msg.pSender == m_closeButton || name == QLatin1String("cancel_btn"))
        Close(0);
    else if (name == QLatin1String("confirm_btn"))
        Close(1);
}

void CMsgWnd::SetTitle(const QString& title)
{
    if (title.isEmpty())
        return;
    if (QWidget* label = m_pm.FindControl(QStringLiteral("MessageTitle")))
        label->setProperty("text", title);
}

void CMsgWnd::SetText(const QString& text)
{
    if (text.isEmpty())
        return;
    QWidget* label = m_pm.FindControl(QStringLiteral("MessageText"));
    if (!label)
        return;
    if (m_textIsResourceId)
        q31::ui::SetTextId(label, text);
    else
        label->setProperty("text", text);
}

void CMsgWnd::SetDPI(int dpi)
{
    if (dpi == m_dpi)
        return;
    if (q31::ui::IsDpiStep(dpi)) {
        m_dpi = dpi;
    } else {
        OutputDebugText(QStringLiteral("MSG_WND DPI SET ERROR"));
        m_dpi = CPaintManagerUI::kDefaultDpi;
    }
    CPaintManagerUI::SetAllDPI(m_dpi);
}

void CMsgWnd::SetButtons(int buttons)
{
    QWidget* confirm = m_pm.FindControl(QStringLiteral("confirm_btn"));
    QWidget* cancel = m_pm.FindControl(QStringLiteral("cancel_btn"));
    if (buttons != 0 && buttons != 1)
        return;
    if (confirm)
        confirm->setVisible(true);
    if (cancel)
        cancel->setVisible(buttons == 1);
}

bool CMsgWnd::IsUsable() const
{
    return m_pm.FindControl(QStringLiteral("confirm_btn")) != nullptr;
}

void CMsgWnd::FitToText()
{
    QWidget* host = GetHWND();
    if (!host)
        return;
    const int needed = host->hasHeightForWidth() ? host->heightForWidth(host->width()) : host->minimumSizeHint().height();
    if (needed > host->height())
        host->resize(host->width(), needed);
}

int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsResourceId,
                   int buttons)
{
    auto* box = new CMsgWnd;
    box->Create(parent, QStringLiteral("msgwnd"), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW);
    if (!box->IsUsable()) {
        // A modal box without a button could never be answered.
        OutputDebugText(QStringLiteral("MSG_WND: the skin has no confirm_btn; answered 0"));
        box->Close(0);
        return 0;
    }
    box->SetTitle(title);
    box->SetTextIsResourceId(textIsResourceId);
    box->SetText(text);
    box->SetDPI(dpi);
    box->SetButtons(buttons);
    box->FitToText();
    box->CenterWindow();
    return int(box->ShowModal());
}
