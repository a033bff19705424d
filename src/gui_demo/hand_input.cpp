// A screen reader's actions as a hand's input (hand_input.h).
#include "hand_input.h"

#include <cstddef>

#include "input_pacing.h"
#include "platform.h"

namespace gui_demo {

namespace {

void offerMove(double x, double y) {
    PacedEvent e;
    e.kind = PacedEvent::Kind::move, e.x = x, e.y = y;
    offerHandInput(e);
}

void offerButton(int action) {
    PacedEvent e;
    e.kind = PacedEvent::Kind::button, e.code = pacing_left_button, e.action = action;
    offerHandInput(e);
}

void offerKeyTap(int key) {
    PacedEvent e;
    e.kind = PacedEvent::Kind::key, e.code = key, e.action = pacing_press;
    offerHandInput(e);
    e.action = pacing_release;
    offerHandInput(e);
}

void offerCharacter(unsigned codepoint) {
    PacedEvent e;
    e.kind = PacedEvent::Kind::character, e.code = static_cast<int>(codepoint);
    offerHandInput(e);
}

// After a made press, the pointer goes back where the real one is, so the hover look is its own.
void putPointerBack() {
    double x = 0.0, y = 0.0;
    if (realPointer(x, y)) offerMove(x, y);
}

void click(ScreenPoint at) {
    offerMove(at.x, at.y);
    offerButton(pacing_press);
    offerButton(pacing_release);
    putPointerBack();
}

void carry(ScreenPoint from, ScreenPoint to) {
    offerMove(from.x, from.y);
    offerButton(pacing_press);
    offerMove(to.x, to.y);
    offerButton(pacing_release);
    putPointerBack();
}

// Decodes the UTF-8 character at s, returning its length (1 for a byte that starts none).
int decodeUtf8(const unsigned char* s, unsigned& codepoint) {
    const int length = s[0] < 0x80       ? 1
                       : s[0] >> 5 == 6  ? 2
                       : s[0] >> 4 == 14 ? 3
                       : s[0] >> 3 == 30 ? 4
                                         : 1;
    codepoint = length == 1 ? s[0] : s[0] & (0x7f >> length);
    for (int k = 1; k < length; ++k) {
        if ((s[k] & 0xc0) != 0x80) return k;  // cut short: what was read so far
        codepoint = codepoint << 6 | (s[k] & 0x3f);
    }
    return length;
}

}  // namespace

void operateAsAHand(const ScreenNode& n) {
    if (n.role == ScreenRole::drag_box)
        carry(n.press, n.carry_to);
    else
        click(n.press);
}

void setValueAsAHand(const ScreenNode& n, double value) {
    click(valuePoint(n, static_cast<float>(value)));
}

void typeAsAHand(const ScreenNode& n, const char* text) {
    if (!n.focused) click(n.press);
    std::size_t same = 0;
    while (n.text[same] != '\0' && n.text[same] == text[same]) ++same;
    for (std::size_t k = same; n.text[k] != '\0'; ++k) offerKeyTap(pacing_key_backspace);
    std::size_t kept = same;
    const auto* s = reinterpret_cast<const unsigned char*>(text + same);
    while (*s != 0 && kept < screen_text_size - 1) {
        unsigned codepoint = 0;
        s += decodeUtf8(s, codepoint);
        offerCharacter(codepoint);
        // The program keeps printable ASCII up to its limit and drops the rest.
        if (codepoint >= 32 && codepoint <= 126) ++kept;
    }
}

bool actForReader(ScreenTracker& t, int i) {
    if (i < 0 || i >= t.told.count || !isWidget(t.told.nodes[i].role)) return false;
    const ScreenNode& n = t.told.nodes[i];
    operateAsAHand(n);
    if (n.role != ScreenRole::text_field) t.asked_focus = i;
    return true;
}

bool setValueForReader(ScreenTracker& t, int i, double value) {
    if (i < 0 || i >= t.told.count || !hasValue(t.told.nodes[i].role)) return false;
    setValueAsAHand(t.told.nodes[i], value);
    t.asked_focus = i;
    return true;
}

bool focusForReader(ScreenTracker& t, int i) {
    if (i < 0 || i >= t.told.count || !isWidget(t.told.nodes[i].role)) return false;
    const ScreenNode& n = t.told.nodes[i];
    if (n.role != ScreenRole::text_field) {
        t.asked_focus = i;
    } else if (!n.focused) {
        operateAsAHand(n);
    }
    return true;
}

}  // namespace gui_demo
