// "Text & Animation": a single-line text input with focus, and a fixed list of components.
#include <cstring>

#include "demo.h"

namespace gui_demo {

namespace {

constexpr int panel_x = 750;
constexpr int panel_y = 50;
constexpr int panel_w = 260;
constexpr int panel_h = 310;
constexpr char panel_title[] = "Text & Animation";

constexpr int inp_x = 760;
constexpr int inp_y = 70;
constexpr int inp_w = 240;
constexpr int inp_h = 36;
constexpr char inp_label[] = "Name:";

constexpr char list_caption[] = "Zelkor Engine Components:";
constexpr TextPlace title_at = {panel_x + 10, panel_y + 6, 16};
constexpr TextPlace list_caption_at = {760, 120, 16};
constexpr int list_x = 760;
constexpr int list_line_size = 14;

constexpr int list_y = 142;
constexpr int list_step = 16;

// Names padded to 13 characters so every description opens in the same column.
constexpr const char* components[] = {
    "  Transform2d  (anchor+offset)",   "  Layout       (grid+stack)",
    "  Canvas       (element tree)",    "  Draw2d       (quad+line+text)",
    "  Interactable (state machine)",   "  Button       (click+action)",
    "  Image        (sprite+slicing)",  "  Text         (font+overflow)",
    "  Scroll       (slider+momentum)", "  Animation    (tween+curve)",
    "  Navigation   (tab+arrow)",       "  DragDrop     (source+target)",
    "  Render       (graph+alpha)",
};

}  // namespace

bool fieldKeepsCharacter(int codepoint) { return codepoint >= 32 && codepoint < 127; }

bool isOverTextField(int x, int y) { return isInside(x, y, inp_x, inp_y, inp_w, inp_h); }

void updateTextInput(DemoState& state, const Input& in) {
    // Focus first: a press inside gives it, a press anywhere else takes it away, so a press
    // outside while typing drops that frame's characters and keys.
    if (in.mouse_pressed) state.input_active = isOverTextField(in.mouse_x, in.mouse_y);
    if (!state.input_active) return;

    // The queue is always emptied: a character refused now is gone for good, as the library
    // forgets unread characters at the end of the frame anyway.
    for (int key = GetCharPressed(); key != 0; key = GetCharPressed()) {
        if (state.input_len < input_max_len && fieldKeepsCharacter(key)) {
            state.input_text[state.input_len] = static_cast<unsigned char>(key);
            state.input_len += 1;
        }
    }
    // After the characters, so a character and Backspace in one frame cancel out. A held key
    // does not repeat: only the frame it goes down counts.
    if (IsKeyPressed(KEY_BACKSPACE) && state.input_len > 0) {
        state.input_len -= 1;
        state.input_text[state.input_len] = 0;
    }
    if (IsKeyPressed(KEY_ENTER)) state.input_active = false;  // the text stays as typed
}

void drawTextInput(const DemoState& state, bool cursor_visible, const Theme& theme) {
    drawPanel(panel_x, panel_y, panel_w, panel_h, theme);
    drawText(panel_title, title_at, theme.accent);
    DrawText(inp_label, inp_x, inp_y - 18, 14, theme.text_secondary);
    drawInputField(inp_x, inp_y, inp_w, inp_h, reinterpret_cast<const char*>(state.input_text),
                   state.input_len, state.input_active, cursor_visible, theme);

    drawText(list_caption, list_caption_at, theme.text_primary);
    int line_y = list_y;
    for (const char* line : components) {
        drawText(line, {list_x, line_y, list_line_size}, theme.text_secondary);
        line_y += list_step;
    }
}

void describeTextInput(const DemoState& state, ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, panel_title, title_at).level = 2;

    ScreenNode& field = addScreenNode(d, ScreenRole::text_field, inp_label);
    field.rect = {inp_x, inp_y, inp_w, inp_h};
    field.press = centreOf(field.rect);
    field.focused = state.input_active;
    // The text is zero-terminated inside its array, and at most 63 bytes long.
    static_assert(sizeof field.text >= input_text_size);
    std::memcpy(field.text, state.input_text, input_text_size);

    // The list covers its caption and its lines.
    const int list = d.count;
    ScreenRect& list_rect = addScreenText(d, ScreenRole::list, list_caption, list_caption_at).rect;
    int line_y = list_y;
    for (const char* line : components) {
        const TextPlace at = {list_x, line_y, list_line_size};
        list_rect = spanOf(list_rect, addScreenText(d, ScreenRole::list_item, line, at, list).rect);
        line_y += list_step;
    }
}

}  // namespace gui_demo
