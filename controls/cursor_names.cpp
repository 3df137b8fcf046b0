#include "controls/cursor_names.h"

namespace q31::controls {

std::optional<Qt::CursorShape> CursorShapeFromName(const QString& name)
{
    struct Entry {
        const char* name;
        Qt::CursorShape shape;
    };
    // "size" and "icon" are obsolete Windows cursors, shown as the all-ways
    // arrows and the plain arrow as Windows itself does.
    static constexpr Entry kCursors[] = {
        {"arrow", Qt::ArrowCursor},        {"ibeam", Qt::IBeamCursor},       {"wait", Qt::WaitCursor},
        {"cross", Qt::CrossCursor},        {"uparrow", Qt::UpArrowCursor},   {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor}, {"sizenesw", Qt::SizeBDiagCursor},
        {"sizewe", Qt::SizeHorCursor},     {"sizens", Qt::SizeVerCursor},    {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor},
    };
    for (const Entry& entry : kCursors) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.shape;
    }
    return std::nullopt;
}

}  // namespace q31::controls
