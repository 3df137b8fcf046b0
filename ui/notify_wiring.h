#pragma once
// Turns the user's actions on standard controls into notifications to the
// window that holds them:
//   buttons "click"; checkable buttons and tab layouts "selectchanged" (a button
//   of an exclusive group only when it becomes selected); sliders "movevaluechanged"
//   while dragged and "valuechanged" when the user has set a value (not when the
//   program sets one); combo boxes "itemselect" (wParam new index, lParam old);
//   edits "textchanged" (user edits), "return" and "killfocus"; item views
//   "itemclick" (wParam row) and list widgets "itemselect" (wParam row);
//   a control with the property "menu" set "menu" on right click (wParam, lParam:
//   global x, y).
class QWidget;

namespace q31::ui {

// Wires the tree now; controls added later are wired when they are first polished.
void WireNotifications(QWidget* root);

}  // namespace q31::ui
