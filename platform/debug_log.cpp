#include "platform/debug_log.h"

Q_LOGGING_CATEGORY(lcQ31Debug, "q31.debug", QtInfoMsg)

void OutputDebugText(const QString& text)
{
    qCDebug(lcQ31Debug).noquote() << text;
}
