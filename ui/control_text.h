#pragma once
// Controls whose texts are language ids: they show the current language's text
// and follow CResourceManager::ReloadText.
#include <QString>

class QWidget;

namespace q31::ui {

// Binds every text property of the tree written as "%[id]" in the skin (text,
// tool tip, placeholder, title, window title, combo items) to that id.
void BindTexts(QWidget* root);
// Shows the text of an id in a string property ("text", "toolTip", ...) and keeps
// it bound to the id.
void SetTextId(QWidget* control, const QString& id, const char* property = "text");
// The id a property is bound to; empty when none.
QString TextId(const QWidget* control, const char* property = "text");
// Re-resolves every bound text of every control. A text that the program changed
// since it was resolved is no longer bound and stays as the program set it.
void RefreshTexts();

}  // namespace q31::ui
