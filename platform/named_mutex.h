#pragma once
// A named mutex shared by every process of this user: a lock file in the
// runtime folder, held for the life of the object and freed by the system
// when the process ends, however it ends.
#include <QString>

class CNamedMutex {
public:
    explicit CNamedMutex(const QString& name);
    ~CNamedMutex();
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;

    bool IsOwned() const { return m_fd >= 0; }
    // True when another process already held the name.
    bool AlreadyExisted() const { return m_alreadyExisted; }

private:
    int m_fd = -1;
    bool m_alreadyExisted = false;
};
