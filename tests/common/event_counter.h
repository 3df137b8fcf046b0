#pragma once
// Counts the events of one type that reach the objects it is installed on.
#include <QEvent>
#include <QObject>

namespace q31::test {

class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type) : m_type(type) {}
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == m_type;
        return false;
    }

private:
    QEvent::Type m_type;
    int m_count = 0;
};

}  // namespace q31::test
