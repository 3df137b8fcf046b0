#include "app/private_font.h"

#include "platform/folders.h"

#include <QFontDatabase>

bool CPrivateFont::Load(const QString& relativePath)
{
    m_id = QFontDatabase::addApplicationFont(q31::ProgramDataFolder() + QLatin1Char('/') + relativePath);
    return IsLoaded();
}

void CPrivateFont::Unload()
{
    if (IsLoaded())
        QFontDatabase::removeApplicationFont(m_id);
    m_id = -1;
}
