#pragma once
// Tells when the system is about to sleep and when it has woken, from
// logind's PrepareForSleep signal on the system bus; silent where there is none.
#include <QObject>

#include <functional>

class CSleepWatch : public QObject {
    Q_OBJECT
public:
    // sleeping: true before the system sleeps, false once it has woken.
    explicit CSleepWatch(std::function<void(bool sleeping)> onChange, QObject* parent = nullptr);

private slots:
    void OnPrepareForSleep(bool sleeping);

private:
    std::function<void(bool)> m_onChange;
};
