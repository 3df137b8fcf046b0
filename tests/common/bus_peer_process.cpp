#include "tests/common/bus_peer_process.h"

#include <QDeadlineTimer>
#include <QTest>

namespace q31::test {

BusPeerProcess::BusPeerProcess(const QStringList& arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(Q31_BUS_PEER), arguments);
    m_process.waitForStarted();
}

BusPeerProcess::~BusPeerProcess()
{
    m_process.kill();
    m_process.waitForFinished();
}

QString BusPeerProcess::NextLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (m_pending.isEmpty() && !deadline.hasExpired()) {
        // Keep this process's own event loop turning: the peer may be talking to it.
        QTest::qWait(5);
        while (m_process.canReadLine())
            m_pending << QString::fromUtf8(m_process.readLine()).trimmed();
    }
    return m_pending.isEmpty() ? QString() : m_pending.takeFirst();
}

}  // namespace q31::test
