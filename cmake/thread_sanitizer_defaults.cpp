// Linked into every program and test program of a ThreadSanitizer build.
//
// Qt, GLib and libproxy are not built with ThreadSanitizer: the locks inside them are
// invisible, so what they do with memory through the sanitizer's hooks (image
// scaling, D-Bus, the event dispatcher, an event made on one thread and
// deleted on another) would read as races. Our code's own accesses are still
// checked, also when Qt calls it.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libQt6Svg.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libproxy.so.1\n";
}
