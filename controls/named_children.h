#pragma once
// The named descendants of an editor control, looked up on first use and kept
// while they live; a name the tree lacks answers null.
#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>

namespace q31::controls {

class CNamedChildren {
public:
    explicit CNamedChildren(const QWidget& owner) : m_owner(owner) {}

    QWidget* Find(const QString& name) const;
    template <class Control>
    Control* As(const QString& name) const
    {
        return qobject_cast<Control*>(Find(name));
    }

private:
    const QWidget& m_owner;
    mutable std::map<QString, QPointer<QWidget>> m_found;
};

}  // namespace q31::controls
