#include "platform/named_mutex.h"

#include "platform/bus_names.h"
#include "platform/debug_log.h"

CNamedMutex::CNamedMutex(const QString& name)
{
    const QString path = q31::bus::MutexPath(name);
    if (path.isEmpty())
        return;
    m_fd = q31::bus::TryLockFile(path);
    m_alreadyExisted = m_fd == q31::bus::kLockHeldElsewhere;
    if (m_fd < 0 && !m_alreadyExisted)
        OutputDebugText(QStringLiteral("cannot create the lock file %1").arg(path));
}

CNamedMutex::~CNamedMutex()
{
    q31::bus::UnlockFile(m_fd);
}
