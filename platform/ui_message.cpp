#include "platform/ui_message.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

LRESULT SendMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    QObject* context = receiver.MessageContext();
    if (context->thread() == QThread::currentThread())
        return receiver.HandleMessage(message, wParam, lParam);
    LRESULT result = 0;
    QMetaObject::invokeMethod(
        context, [&] { return receiver.HandleMessage(message, wParam, lParam); },
        Qt::BlockingQueuedConnection, &result);
    return result;
}

void PostMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    IMessageReceiver* target = &receiver;
    QMetaObject::invokeMethod(
        receiver.MessageContext(), [=] { target->HandleMessage(message, wParam, lParam); },
        Qt::QueuedConnection);
}
