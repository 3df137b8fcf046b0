#pragma once
// Pictures of what Q-31 shows, for machines without a display: once the
// window has come up, the main window, each device page it shows, the colour
// dialog of the mouse page, the key tabs with a key selected and the About
// window are saved as PNG files, then the program ends.
#include <QString>

class CMainWnd;

namespace q31::app {

// Starts taking the pictures after delayMs; writes "main.png" and
// "<kind name>.png" for each visible device ("power.png" and "palette.png"
// after the mouse's), then "about.png", into folder.
void TakeScreenshotsLater(CMainWnd& window, const QString& folder, int delayMs);

}  // namespace q31::app
