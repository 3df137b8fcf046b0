#pragma once
// The macro recorder's start button: a plain button whose layouts may give a
// pulse image ("redioimage"), which is accepted and not drawn.
#include "ui/button_ui.h"

class CRedioMacroButtonUI : public CButtonUI {
    Q_OBJECT
public:
    explicit CRedioMacroButtonUI(QWidget* parent = nullptr) : CButtonUI(parent) {}

    QString GetClass() const override { return QStringLiteral("RedioMacroButton"); }
    bool SetAttribute(const QString& name, const QString& value) override;
};
