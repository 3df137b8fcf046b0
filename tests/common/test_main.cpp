// Every test program runs on Qt's offscreen platform, with its own private
// user folders, so no test reads or writes the real user's data.
#include "tests/common/temp_folder.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer: the locks inside it are invisible, so
// what it and GLib (image scaling, D-Bus, the event dispatcher) do with
// memory through the sanitizer's hooks would read as races. Our code's own
// accesses are still checked, also when Qt calls it.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libQt6Svg.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
#endif

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const q31::test::TempFolder& home = q31::test::ProcessHome();
    setenv("XDG_DATA_HOME", home.Sub("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.Sub("config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.Sub("runtime").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
