#include "devices/macro_write_message.h"

#include "macros/macro_download.h"
#include "ui/resource_manager.h"

namespace q31::devices {

QString MacroWriteMessage(int result)
{
    const CResourceManager& texts = CResourceManager::GetInstance();
    switch (macros::OutcomeOfMacroWrite(result)) {
    case macros::MacroWriteOutcome::NoMemory:
        return texts.GetText(QStringLiteral("message_text_7"));
    case macros::MacroWriteOutcome::TooLarge:
        return WithCountFilledIn(texts.GetText(QStringLiteral("message_text_16")), result);
    case macros::MacroWriteOutcome::Written:
    case macros::MacroWriteOutcome::Failed:
        break;
    }
    return {};
}

QString WithCountFilledIn(QString text, int count)
{
    return text.replace(QStringLiteral("%d"), QString::number(count));
}

}  // namespace q31::devices
