#pragma once
// Reaching named windows of any process of this user: find, send, post,
// broadcast and WM_COPYDATA. An empty class or title matches any.
#include "platform/win_types.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace q31::bus {

inline constexpr int kDefaultSendTimeoutMs = 5000;

bool FindWindow(const QString& className, const QString& title);

// The receiver's result, or nothing when no such window answered in time.
std::optional<LRESULT> SendBusMessage(const QString& className, const QString& title, UINT message,
                                      WPARAM wParam, LPARAM lParam, int timeoutMs = kDefaultSendTimeoutMs);
// True when the message was handed to such a window.
bool PostBusMessage(const QString& className, const QString& title, UINT message, WPARAM wParam, LPARAM lParam);
// Posts to every window on the bus; returns how many took it.
int BroadcastBusMessage(UINT message, WPARAM wParam, LPARAM lParam);
// A COPYDATA record (dwData + bytes, at most 64 KiB); wParam names the sender.
std::optional<LRESULT> SendCopyData(const QString& className, const QString& title, WPARAM wParam,
                                    std::uint64_t dwData, const QByteArray& data,
                                    int timeoutMs = kDefaultSendTimeoutMs);

}  // namespace q31::bus
