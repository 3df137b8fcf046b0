#!/usr/bin/env python3
"""Writes the keyboard page skin: a full-size keyboard whose 126 logical keys are
key buttons "key_0" ... "key_125", and the function panel beside it.

    make_keyboard_page.py OUT.xml            write the page
    make_keyboard_page.py --check FILE.xml   exit 1 when FILE differs from the page

Keys are laid out on a grid of key units; every edge is rounded to whole pixels
once, so the rows of all blocks line up however the widths add up.
"""
import argparse
import sys
from xml.sax.saxutils import escape

UNIT = 18          # pixels per key unit at 96 DPI
SPACING = 2        # between neighbouring keys
CASE_SIDE = 9      # keyboard case around the keys
CASE_TOP = 9
CASE_BOTTOM = 9
ROW_GAP = 0.5      # function row to number row, in key units
KEY_FONT = 10

# A key: its logical index, default caption, width in key units and tooltip.
# Keys a keyboard may lack (international keys, reserved rows) are HIDDEN and
# take no room until shown.
HIDDEN = "hidden"


def key(index, caption, width=1.0, tip=None):
    return ("key", index, caption, width, tip or caption)


def hidden(index, caption):
    return ("key", index, caption, HIDDEN, caption)


def gap(width):
    return ("gap", width)


MAIN_BLOCK = [
    [key(0, "Esc"), gap(1), key(1, "F1"), key(2, "F2"), key(3, "F3"), key(4, "F4"), gap(0.5),
     key(5, "F5"), key(6, "F6"), key(7, "F7"), key(8, "F8"), gap(0.5),
     key(9, "F9"), key(10, "F10"), key(11, "F11"), key(12, "F12")],
    None,
    [key(21, "`"), key(22, "1"), key(23, "2"), key(24, "3"), key(25, "4"), key(26, "5"), key(27, "6"),
     key(28, "7"), key(29, "8"), key(30, "9"), key(31, "0"), key(32, "-"), key(33, "="),
     hidden(101, "¥"), key(34, "Back", 2, "Backspace")],
    [key(42, "Tab", 1.5), key(43, "Q"), key(44, "W"), key(45, "E"), key(46, "R"), key(47, "T"), key(48, "Y"),
     key(49, "U"), key(50, "I"), key(51, "O"), key(52, "P"), key(53, "["), key(54, "]"), key(55, "\\", 1.5)],
    [key(63, "Caps", 1.75, "Caps Lock"), key(64, "A"), key(65, "S"), key(66, "D"), key(67, "F"), key(68, "G"),
     key(69, "H"), key(70, "J"), key(71, "K"), key(72, "L"), key(73, ";"), key(74, "'"), hidden(62, "#"),
     key(75, "Enter", 2.25)],
    [key(84, "Shift", 2.25), hidden(102, "\\"), key(85, "Z"), key(86, "X"), key(87, "C"), key(88, "V"),
     key(89, "B"), key(90, "N"), key(91, "M"), key(92, ","), key(93, "."), key(94, "/"), hidden(100, "ろ"),
     key(95, "Shift", 2.75)],
    [key(105, "Ctrl", 1.25), key(106, "Win", 1.25), key(107, "Alt", 1.25), hidden(80, "無変換"),
     key(108, "", 5.25, "Space"), hidden(79, "変換"), hidden(83, "かな"), hidden(81, "한자"), hidden(82, "한/영"),
     key(109, "Alt", 1.25), key(125, "Win", 1.25), key(110, "Fn"), key(111, "App", 1.25, "Menu"),
     key(112, "Ctrl", 1.25),
     hidden(104, "")],
]

NAVIGATION_BLOCK = [
    [key(13, "PS", 1, "Print Screen"), key(14, "SL", 1, "Scroll Lock"), key(15, "PB", 1, "Pause")],
    None,
    [key(35, "Ins", 1, "Insert"), key(36, "Hm", 1, "Home"), key(37, "PU", 1, "Page Up")],
    [key(56, "Del", 1, "Delete"), key(57, "End", 1, "End"), key(58, "PD", 1, "Page Down")],
    [],
    [gap(1), key(96, "↑", 1, "Up"), gap(1)],
    [key(113, "←", 1, "Left"), key(114, "↓", 1, "Down"), key(115, "→", 1, "Right")],
]

NUMBER_PAD = [
    [key(38, "NL", 1, "Num Lock"), key(39, "/", 1, "Num /"), key(40, "*", 1, "Num *")],
    [key(59, "7", 1, "Num 7"), key(60, "8", 1, "Num 8"), key(61, "9", 1, "Num 9")],
    [key(76, "4", 1, "Num 4"), key(77, "5", 1, "Num 5"), key(78, "6", 1, "Num 6")],
    [key(97, "1", 1, "Num 1"), key(98, "2", 1, "Num 2"), key(99, "3", 1, "Num 3")],
    [key(116, "0", 2, "Num 0"), key(117, ".", 1, "Num ."), hidden(103, ",")],
]
# The right column of the number pad, with the keys two rows tall.
NUMBER_PAD_COLUMN = [(41, "-", 1, "Num -"), (119, "+", 2, "Num +"), (118, "Ent", 2, "Num Enter")]
NUMBER_PAD_TOP = [gap(3), key(16, "GM", 1, "Game mode"), hidden(17, ""), hidden(18, ""), hidden(19, ""),
                  hidden(20, "")]
MACRO_COLUMN = [(120 + i, "M%d" % (i + 1)) for i in range(5)]

# Block edges in key units, left to right.
MACRO_X = (0.0, 1.0)
MAIN_X = (1.5, 16.5)
NAVIGATION_X = (16.75, 19.75)
NUMBER_PAD_X = (20.0, 24.0)


def px(units):
    return int(units * UNIT + 0.5)


def span(start, end):
    """Pixels of an element from start to end (key units) with the spacing after it."""
    return px(end) - px(start) - SPACING


def row_top(row):
    """Top edge of a key row: 0 is the function row; the others sit below the gap."""
    return 0.0 if row == 0 else row + ROW_GAP


class Writer:
    def __init__(self):
        self.lines = []
        self.depth = 0
        self.counts = {}

    def unique(self, prefix):
        self.counts[prefix] = self.counts.get(prefix, 0) + 1
        return "%s_%d" % (prefix, self.counts[prefix])

    def line(self, text):
        self.lines.append(" " * self.depth + text)

    def open(self, text):
        self.line(text)
        self.depth += 1

    def close(self, text):
        self.depth -= 1
        self.line(text)

    def prop(self, name, value, dynamic=False):
        stdset = ' stdset="0"' if dynamic else ""
        self.line('<property name="%s"%s>%s</property>' % (name, stdset, value))

    def string(self, name, text, dynamic=False):
        self.prop(name, "<string>%s</string>" % escape(text), dynamic)

    def number(self, name, value, dynamic=False):
        self.prop(name, "<number>%d</number>" % value, dynamic)

    def fixed_size(self, width, height):
        size = "<size><width>%d</width><height>%d</height></size>" % (width, height)
        self.prop("minimumSize", size)
        self.prop("maximumSize", size)

    def margins(self, left, top, right, bottom):
        for name, value in (("leftMargin", left), ("topMargin", top), ("rightMargin", right),
                            ("bottomMargin", bottom)):
            self.number(name, value)

    def layout(self, kind, name, spacing=None, margins=None, stretch=None):
        extra = ' stretch="%s"' % stretch if stretch else ""
        self.open('<layout class="%s" name="%s"%s>' % (kind, name, extra))
        if spacing is not None:
            self.number("spacing", spacing)
        if margins is not None:
            self.margins(*margins)

    def end_layout(self):
        self.close("</layout>")

    def item(self):
        self.open("<item>")

    def end_item(self):
        self.close("</item>")

    def stretch(self, vertical):
        self.item()
        self.open('<spacer name="%s">' % self.unique("stretch"))
        self.prop("orientation", "<enum>Qt::%s</enum>" % ("Vertical" if vertical else "Horizontal"))
        self.prop("sizeHint", "<size><width>0</width><height>0</height></size>", True)
        self.close("</spacer>")
        self.end_item()

    def widget(self, kind, name):
        self.item()
        self.open('<widget class="%s" name="%s">' % (kind, name))

    def end_widget(self):
        self.close("</widget>")
        self.end_item()

    def page(self, kind, name):
        # A page of a tab layout is its child, not an item of a layout.
        self.open('<widget class="%s" name="%s">' % (kind, name))

    def end_page(self):
        self.close("</widget>")

    def gap(self, width, height):
        # A fixed empty widget, since spacers do not follow the window's DPI.
        self.widget("QWidget", self.unique("gap"))
        self.fixed_size(width, height)
        self.end_widget()


def write_key(w, index, caption, width, height, tip):
    w.widget("DeviceKeyButton", "key_%d" % index)
    if width == HIDDEN:
        w.prop("visible", "<bool>false</bool>")
        width = height
    w.fixed_size(width, height)
    w.string("text", caption)
    w.string("toolTip", tip)
    w.prop("focusPolicy", "<enum>Qt::NoFocus</enum>")
    w.string("role", "key", True)
    w.number("fontId", KEY_FONT, True)
    w.string("lightimage", "file='common/key_light.svg'", True)
    w.string("keysetimage", "file='common/key_set_badge.svg' dest='%d,2,%d,6'" % (width - 6, width - 2), True)
    w.end_widget()


def write_row(w, items, x, top, bottom):
    """One row of keys and gaps from x (key units); its edges are top and bottom."""
    height = span(top, bottom)
    w.item()
    w.layout("QHBoxLayout", w.unique("row"), SPACING)
    for entry in items:
        if entry[0] == "gap":
            w.gap(span(x, x + entry[1]), height)
            x += entry[1]
            continue
        _, index, caption, width, tip = entry
        if width == HIDDEN:
            write_key(w, index, caption, HIDDEN, height, tip)
            continue
        write_key(w, index, caption, span(x, x + width), height, tip)
        x += width
    w.end_layout()
    w.end_item()


def write_rows(w, rows, x, end, first_row=0):
    """Rows of a block from x to end (key units); None stands for the gap under the function row."""
    width = span(x, end)
    w.item()
    w.layout("QVBoxLayout", w.unique("block"), SPACING)
    row = first_row
    for items in rows:
        if items is None:
            w.gap(width, span(1.0, row_top(1)))
            continue
        if items:
            write_row(w, items, x, row_top(row), row_top(row) + 1)
        else:
            w.gap(width, span(row_top(row), row_top(row) + 1))
        row += 1
    w.end_layout()
    w.end_item()


def write_macro_column(w):
    w.item()
    w.layout("QVBoxLayout", "macro_keys", SPACING)
    w.gap(span(*MACRO_X), span(0.0, row_top(1)))
    for row, (index, caption) in enumerate(MACRO_COLUMN, start=1):
        write_key(w, index, caption, span(*MACRO_X), span(row_top(row), row_top(row) + 1), caption)
    w.end_layout()
    w.end_item()


def write_number_pad(w):
    x0, x1 = NUMBER_PAD_X
    w.item()
    w.layout("QVBoxLayout", "number_pad", SPACING)
    write_row(w, NUMBER_PAD_TOP, x0, 0.0, 1.0)
    w.gap(span(x0, x1), span(1.0, row_top(1)))
    w.item()
    w.layout("QHBoxLayout", "number_pad_keys", SPACING)
    write_rows(w, NUMBER_PAD, x0, x1 - 1, first_row=1)
    w.item()
    w.layout("QVBoxLayout", "number_pad_column", SPACING)
    row = 1
    for index, caption, rows, tip in NUMBER_PAD_COLUMN:
        write_key(w, index, caption, span(x1 - 1, x1), span(row_top(row), row_top(row + rows - 1) + 1), tip)
        row += rows
    w.end_layout()
    w.end_item()
    w.end_layout()
    w.end_item()
    w.end_layout()
    w.end_item()


def write_keyboard(w):
    w.widget("SelectPanel", "keyboard_device_key_light")
    # As large as its keys: the case drawing then fits them at every DPI.
    w.prop("sizePolicy", '<sizepolicy hsizetype="Fixed" vsizetype="Fixed"><horstretch>0</horstretch>'
           '<verstretch>0</verstretch></sizepolicy>')
    w.string("bkimage", "file='common/keyboard_case.svg' corner='10,10,10,10'", True)
    w.layout("QVBoxLayout", "keyboard_case_layout", 0, (CASE_SIDE, CASE_TOP, CASE_SIDE, CASE_BOTTOM))
    w.item()
    w.layout("QHBoxLayout", "keyboard_blocks", SPACING)
    write_macro_column(w)
    height = span(0.0, row_top(5) + 1)
    w.gap(span(MACRO_X[1], MAIN_X[0]), height)
    write_rows(w, MAIN_BLOCK, *MAIN_X)
    w.gap(span(MAIN_X[1], NAVIGATION_X[0]), height)
    write_rows(w, NAVIGATION_BLOCK, *NAVIGATION_X)
    w.gap(span(NAVIGATION_X[1], NUMBER_PAD_X[0]), height)
    write_number_pad(w)
    w.end_layout()
    w.end_item()
    w.end_layout()
    w.end_widget()


def write_titled_panel(w, name, title_id, body=None):
    w.page("QWidget", name)
    w.string("role", "panel", True)
    w.layout("QVBoxLayout", name + "_layout", 6, (12, 10, 12, 10))
    w.widget("QLabel", name + "_title")
    w.string("text", "%%[%s]" % title_id)
    w.number("fontId", 8, True)
    w.prop("wordWrap", "<bool>true</bool>")
    w.end_widget()
    if body:
        body(w)
    else:
        w.stretch(True)
    w.end_layout()
    w.end_page()


def write_light_editor(w):
    # The editor's own skin is built in its place (LightControl.xml).
    w.widget("LightSetControlUI", "LightControlItem")
    w.end_widget()


def write_key_editor(w):
    # The key editor's own skin is built in its place (KeySetControl.xml).
    w.widget("KeySetControlUI", "KeySetControlItem")
    w.end_widget()


def write_label(w, name, text_id, secondary=True):
    w.widget("QLabel", name)
    w.string("text", "%%[%s]" % text_id)
    if secondary:
        w.string("role", "secondary", True)
    w.number("fontId", 7, True)
    w.prop("wordWrap", "<bool>true</bool>")
    w.end_widget()


def write_option(w, name, text_id, tip_id, group=None):
    w.widget("Option", name)
    w.string("text", "%%[%s]" % text_id)
    w.string("toolTip", "%%[%s]" % tip_id)
    w.string("role", "choice", True)
    w.number("fontId", 7, True)
    if group:
        w.string("group", group, True)
    w.end_widget()


def write_choice_row(w, name, prefix, text_ids, tip_id, group):
    # A widget of its own: the options of a group exclude their siblings, so
    # two groups must never share a parent.
    w.widget("QWidget", name)
    w.layout("QHBoxLayout", name + "_layout", 4, (0, 0, 0, 0))
    for number, text_id in enumerate(text_ids):
        write_option(w, "%s%d" % (prefix, number), text_id, tip_id, group)
    w.end_layout()
    w.end_widget()


def write_settings(w):
    write_label(w, "polling_rate_label", "kb_polling_rate_text")
    write_choice_row(w, "polling_rate_options", "polling_rate_option_",
                     ["kb_polling_1000_text", "kb_polling_500_text", "kb_polling_250_text", "kb_polling_125_text"],
                     "kb_polling_rate_tip", "kb_polling_rate")
    for name, text_id in (("6flag_option", "kb_6key_text"), ("wflag_option", "kb_wflag_text"),
                          ("winlockflag_option", "kb_winlock_text")):
        write_option(w, name, text_id, text_id + "_tip")
    write_label(w, "repeat_rate_label", "kb_repeat_rate_text")
    w.widget("QSlider", "repeat_rate_slider")
    w.prop("orientation", "<enum>Qt::Horizontal</enum>")
    w.prop("minimum", "<number>0</number>")
    w.prop("maximum", "<number>31</number>")
    w.string("toolTip", "%[kb_repeat_rate_tip]")
    w.end_widget()
    w.widget("QLabel", "repeat_delay_time_label1")
    w.string("text", "%[Repeat_Delay_Time]")
    w.string("role", "secondary", True)
    w.number("fontId", 7, True)
    w.end_widget()
    write_choice_row(w, "repeat_delay_options", "repeat_delay_check_",
                     ["kb_delay_250_text", "kb_delay_500_text", "kb_delay_750_text", "kb_delay_1000_text"],
                     "kb_repeat_delay_tip", "kb_repeat_delay")
    w.item()
    w.layout("QHBoxLayout", "repeat_test_row", 4)
    w.widget("QLineEdit", "repeat_input_richedit")
    w.string("placeholderText", "%[Repeat_input_text]")
    w.string("toolTip", "%[Repeat_input_text]")
    w.end_widget()
    w.widget("QPushButton", "reset_repeat_btn")
    w.string("text", "%[kb_repeat_reset_text]")
    w.string("toolTip", "%[kb_repeat_reset_tip]")
    w.string("role", "choice", True)
    w.number("fontId", 7, True)
    w.end_widget()
    w.end_layout()
    w.end_item()
    w.stretch(True)


# The tabs of the function panel, in the order of their numbers 1 to 4.
FUNCTION_TABS = (("deng_Op_tab", "function_tab_lighting"), ("key_Op_tab", "function_tab_keys"),
                 ("macro_Op_tab", "function_tab_macros"), ("system_Op_tab", "function_tab_system"))


def write_function_tabs(w):
    w.widget("QWidget", "function_tabs")
    w.layout("QHBoxLayout", "function_tabs_layout", 4, (0, 0, 0, 0))
    for name, text_id in FUNCTION_TABS:
        write_option(w, name, text_id, text_id + "_tip", "function_tabs")
    w.end_layout()
    w.end_widget()


def write_macro_editor(w):
    # Built from its own skin file by the main window.
    w.widget("MacroSetControlUI", "macro_editor")
    w.end_widget()


def write_function_panels(w):
    # Page 0 holds lighting and keys, which share the picture's key selection;
    # page 2 is the pointer page that keyboards lack.
    w.widget("TabLayout", "device_function_switch")
    w.page("TabLayout", "device_key_function_switch")
    write_titled_panel(w, "lighting_area", "lighting_area_text", write_light_editor)
    write_titled_panel(w, "key_area", "key_area_text", write_key_editor)
    w.end_page()
    write_titled_panel(w, "macro_area", "macro_area_text", write_macro_editor)
    w.page("QWidget", "cursor_area")
    w.end_page()
    write_titled_panel(w, "keyboard_settings_area", "kb_settings_text", write_settings)
    w.end_widget()


def write_page():
    w = Writer()
    w.line('<?xml version="1.0" encoding="UTF-8"?>')
    w.line("<!-- Written by tools/skin/make_keyboard_page.py at every build: change the script, not this file. -->")
    w.open('<ui version="4.0">')
    w.line("<class>keyboard_device</class>")
    w.open('<widget class="HalvorinKeyboardDevice" name="keyboard_device">')
    w.layout("QVBoxLayout", "keyboard_device_layout", 8, (12, 12, 12, 12))

    w.widget("QWidget", "profile_area")
    w.string("role", "panel", True)
    w.prop("minimumSize", "<size><width>0</width><height>48</height></size>")
    w.prop("maximumSize", "<size><width>16777215</width><height>48</height></size>")
    w.layout("QHBoxLayout", "profile_area_layout", 10, (12, 8, 12, 8))
    w.widget("QLabel", "profile_area_title")
    w.string("text", "%[profile_area_text]")
    w.number("fontId", 8, True)
    w.end_widget()
    # The bar's own skin is built in its place (DeviceProfile.xml).
    w.widget("DeviceProfileUI", "DeviceProfileItem")
    w.end_widget()
    w.end_layout()
    w.end_widget()

    w.widget("QLabel", "device_status_line")
    w.string("role", "error", True)
    w.prop("wordWrap", "<bool>true</bool>")
    w.end_widget()

    w.item()
    w.layout("QHBoxLayout", "device_body", 8, stretch="3,2")
    w.widget("QWidget", "device_picture")
    w.string("role", "panel", True)
    w.layout("QVBoxLayout", "device_picture_layout", 0, (8, 8, 8, 8))
    w.stretch(True)
    w.item()
    w.layout("QHBoxLayout", "keyboard_row", 0)
    w.stretch(False)
    write_keyboard(w)
    w.stretch(False)
    w.end_layout()
    w.end_item()
    w.stretch(True)
    w.end_layout()
    w.end_widget()

    w.item()
    w.layout("QVBoxLayout", "function_area", 8)
    write_function_tabs(w)
    write_function_panels(w)
    w.end_layout()
    w.end_item()
    w.end_layout()
    w.end_item()

    w.end_layout()
    w.close("</widget>")
    w.line("<resources/>")
    w.line("<connections/>")
    w.close("</ui>")
    return "\n".join(w.lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    parser.add_argument("file")
    args = parser.parse_args()
    page = write_page()
    if args.check:
        try:
            with open(args.file, encoding="utf-8") as current:
                if current.read() == page:
                    return 0
        except OSError as error:
            print(error, file=sys.stderr)
        print("%s is not the generated page; build the project to rewrite it" % args.file, file=sys.stderr)
        return 1
    try:
        with open(args.file, encoding="utf-8") as current:
            if current.read() == page:
                return 0  # unchanged: keep the time stamp
    except OSError:
        pass
    with open(args.file, "w", encoding="utf-8") as out:
        out.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
