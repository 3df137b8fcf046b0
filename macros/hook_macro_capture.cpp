#include "macros/hook_macro_capture.h"

namespace q31::macros {

CHookMacroCapture::~CHookMacroCapture()
{
    Stop();
}

bool CHookMacroCapture::Start(int hookMode, QWidget* page, Receiver receiver, QString& failureTextId)
{
    Stop();
    if (!page) {
        failureTextId = QStringLiteral("macro_record_failed_text");
        return false;
    }
    if (m_hook.Install(hookMode, receiver) == HookReach::Desktop)
        return true;
    m_windowInput = std::make_unique<FocusInputFilter>(page, std::move(receiver));
    return true;
}

void CHookMacroCapture::Stop()
{
    m_windowInput.reset();
    m_hook.Remove();
}

}  // namespace q31::macros
