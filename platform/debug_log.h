#pragma once
// The program's debug output: off by default, switched on with
// QT_LOGGING_RULES="q31.debug=true".
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcQ31Debug)

// One debug line, in the program's own words.
void OutputDebugText(const QString& text);
