#pragma once
// Builds a control tree from a skin file (Qt Designer UI XML).
#include <QString>

class QWidget;

// Asked for every class name the toolkit does not know, before the control factory.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // Null when the callback does not make that class.
    virtual QWidget* CreateControl(const QString& className, QWidget* parent) = 0;
};

class CDialogBuilder {
public:
    // skin: a resource name of "res.xml" ("XML_MSG") or a path under the skin
    // folder ("XML/CustomControlXML/DeviceOption.xml"). Returns the root control,
    // with texts resolved and notifications wired; null (with a debug line) when
    // the file is missing or malformed.
    static QWidget* Create(const QString& skin, IDialogBuilderCallback* callback, QWidget* parent);

    // The absolute file a skin name stands for.
    static QString SkinFilePath(const QString& skin);
};
