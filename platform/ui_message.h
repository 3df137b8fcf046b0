#pragma once
// Private window messages (id, wParam, lParam) delivered to an object that
// lives on the UI thread, from any thread.
#include "platform/win_types.h"

class QObject;

class IMessageReceiver {
public:
    virtual ~IMessageReceiver() = default;
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The object whose thread handles the messages; messages to a destroyed
    // context are dropped.
    virtual QObject* MessageContext() = 0;
};

// Blocks until the receiver's thread has handled the message; returns its result.
// Called on the receiver's own thread it handles the message at once.
LRESULT SendMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message and returns at once.
void PostMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam);
