#include "platform/debug_log.h"

Q_LOGGING_CATEGORY(lcQ31Debug, "q31", QtInfoMsg)

void OutputDebugText(const QString& text)
{
    qCDebug(lcQ31Debug).noquote() << text;
}
