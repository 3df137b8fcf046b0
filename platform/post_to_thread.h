#pragma once
// Runs a call later on the thread of a QObject, from any thread.
#include <QObject>

#include <functional>

// The call runs from the context's event loop; if the context is destroyed
// first, the call is dropped unrun (and destroyed on the context's thread).
// Everything the caller did before posting is visible to the call, also to
// the thread checker, which cannot see through Qt's own event queue.
void PostToThreadOf(QObject* context, std::function<void()> call);
