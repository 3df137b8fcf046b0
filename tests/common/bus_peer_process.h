#pragma once
// Runs bus_peer as a real second process and reads what it prints.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace q31::test {

class BusPeerProcess {
public:
    explicit BusPeerProcess(const QStringList& arguments);
    ~BusPeerProcess();

    // The next line the peer prints, or an empty string after the timeout.
    QString NextLine(int timeoutMs = 5000);
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
    QStringList m_pending;
};

}  // namespace q31::test
