#pragma once
// Showing a value on a page control without the control reporting it as a
// change the user made.
#include "ui/option_ui.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSlider>

namespace q31::controls {

// An option of a group may be cleared too: the caller shows the whole group.
inline void ShowSelected(COptionUI* option, bool selected)
{
    if (!option)
        return;
    const QSignalBlocker quiet(option);
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->Selected(selected);
    option->setAutoExclusive(exclusive);
}

inline void ShowValue(QSlider* slider, int value)
{
    if (!slider)
        return;
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}

// An index outside the list selects nothing.
inline void ShowCurrentIndex(QComboBox* combo, int index)
{
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace q31::controls
