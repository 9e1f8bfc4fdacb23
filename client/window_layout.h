// The window's layout, the same on Windows and Linux: a 400 × 200 client area
// holding a prompt, an input box, the start button and the output box, in
// the order they are made (which is also the Tab order of the three that
// take the focus).
#ifndef QUOVANT_CLIENT_WINDOW_LAYOUT_H
#define QUOVANT_CLIENT_WINDOW_LAYOUT_H

#include "product.h"

constexpr int CLIENT_WIDTH = 400;
constexpr int CLIENT_HEIGHT = 200;

// The query buffer in code units, terminator included: a query takes at
// most the first 259 units of the input box.
constexpr int QUERY_UNITS = 260;

// The font: a cell (line) height of 18 pixels and a text height h of 24 for
// the controls, on every platform but Windows before Vista, which takes 12
// and 20.
constexpr int FONT_CELL_HEIGHT = 18;
constexpr int TEXT_HEIGHT = 24;
constexpr int PRE_VISTA_FONT_CELL_HEIGHT = 12;
constexpr int PRE_VISTA_TEXT_HEIGHT = 20;

enum ControlIndex { PROMPT_CONTROL, INPUT_CONTROL, START_CONTROL, OUTPUT_CONTROL, CONTROL_COUNT };

// One control: its first text and its place in client pixels. A height with
// plusTextHeight is added to the text height h.
struct ControlLayout {
    const char16_t *text;
    int x, y, width, height;
    bool plusTextHeight;
};

inline constexpr ControlLayout CONTROL_LAYOUT[CONTROL_COUNT] = {
    {u"" QUOVANT_PROMPT_TEXT, 10, 10, 200, 0, true},
    {u"" QUOVANT_PRODUCT_NAME, 10, 35, 290, 0, true},
    {u"" QUOVANT_START_TEXT, 315, 33, 75, 4, true},
    {u"", 10, 75, 380, 115, false},
};

// The control's height for the text height `textHeight`.
constexpr int ControlHeight(const ControlLayout &c, int textHeight)
{
    return c.plusTextHeight ? textHeight + c.height : c.height;
}

#endif
