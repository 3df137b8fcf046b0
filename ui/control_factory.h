#pragma once
// The table of control classes that skins may name, filled by the program at
// start-up before any window is built.
#include <QHash>
#include <QString>

#include <functional>

class QWidget;

class CControlFactory {
public:
    using Creator = std::function<QWidget*(QWidget* parent)>;

    static CControlFactory& GetInstance();

    // A later registration of the same name replaces the earlier one.
    void RegisterControlClass(const QString& className, Creator creator);
    bool IsRegistered(const QString& className) const;
    // Null when the class is not registered.
    QWidget* CreateControl(const QString& className, QWidget* parent) const;

    // Registers a control under the short name skins use and its class name.
    template <class Control>
    void RegisterControl(const QString& shortName, const QString& className)
    {
        const Creator creator = [](QWidget* parent) -> QWidget* { return new Control(parent); };
        RegisterControlClass(shortName, creator);
        RegisterControlClass(className, creator);
    }

private:
    CControlFactory();
    QHash<QString, Creator> m_creators;
};
