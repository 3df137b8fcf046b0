#pragma once
// The single top-level window, "MainWnd" titled "Q-31". It is also the
// program's window on the message bus, so other processes can reach it.
#include "platform/bus_endpoint.h"
#include "platform/ui_message.h"

#include <QWidget>

class CMainWnd : public QWidget, public IMessageReceiver {
    Q_OBJECT
public:
    static constexpr const char* kClassName = "MainWnd";
    static constexpr const char* kTitle = "Q-31";

    CMainWnd();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    QObject* MessageContext() override { return this; }

    void ShowAndBringToFront();

private:
    q31::bus::CBusEndpoint m_busEndpoint;
};
