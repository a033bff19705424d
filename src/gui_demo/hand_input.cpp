// A screen reader's actions as a hand's input (hand_input.h).
#include "hand_input.h"

#include <cstddef>
#include <cstring>

#include "demo.h"
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

// Decodes the UTF-8 character at s, before end, returning its length (1 for a byte that starts
// none).
int decodeUtf8(const unsigned char* s, const unsigned char* end, unsigned& codepoint) {
    const int length = s[0] < 0x80       ? 1
                       : s[0] >> 5 == 6  ? 2
                       : s[0] >> 4 == 14 ? 3
                       : s[0] >> 3 == 30 ? 4
                                         : 1;
    codepoint = length == 1 ? s[0] : s[0] & (0x7f >> length);
    for (int k = 1; k < length; ++k) {
        if (s + k == end || (s[k] & 0xc0) != 0x80) return k;  // cut short: what was read so far
        codepoint = codepoint << 6 | (s[k] & 0x3f);
    }
    return length;
}

// A text as the field keeps it, built piece by piece from UTF-8: what it keeps of each character
// (printable ASCII), the rest dropped as the program drops it, and no more than it holds.
struct KeptText {
    static_assert(screen_text_size > input_max_len, "the text and its zero fit");
    char text[screen_text_size] = {};
    std::size_t length = 0;

    void add(const char* utf8, std::size_t bytes) {
        const auto* s = reinterpret_cast<const unsigned char*>(utf8);
        const auto* end = s + bytes;
        while (s < end && length < input_max_len) {
            unsigned codepoint = 0;
            s += decodeUtf8(s, end, codepoint);
            if (fieldKeepsCharacter(static_cast<int>(codepoint))) {
                text[length++] = static_cast<char>(codepoint);
            }
        }
    }
};

// Types the field from the text `from` to `to` (which it can keep whole): a click first if it
// has no keyboard, Backspaces back to where the two part, then the new characters.
void typeAsAHand(const ScreenNode& field, const char* from, const char* to) {
    if (!field.focused) click(field.press);
    std::size_t same = 0;
    while (from[same] != '\0' && from[same] == to[same]) ++same;
    for (std::size_t k = same; from[k] != '\0'; ++k) offerKeyTap(pacing_key_backspace);
    for (std::size_t k = same; to[k] != '\0'; ++k)
        offerCharacter(static_cast<unsigned char>(to[k]));
}

bool isField(const ScreenTracker& t, int i) {
    return i >= 0 && i < t.told.count && t.told.nodes[i].role == ScreenRole::text_field;
}

// Whether node i is the field and can be typed into now: the click it needs first, if it has no
// keyboard, would cut into a hand's press.
bool canType(const ScreenTracker& t, int i) {
    return isField(t, i) && (t.told.nodes[i].focused || !handHoldsButton());
}

// Types the field to what it keeps of `next`, and remembers it as the text being typed.
void typeForReader(ScreenTracker& t, int i, const KeptText& next) {
    typeAsAHand(t.told.nodes[i], editedText(t, i), next.text);
    std::memcpy(t.typing, next.text, sizeof t.typing);
    // Two frames a key, a click, and time for what waits ahead of them.
    t.typing_frames = 2 * static_cast<int>(screen_text_size) * 2 + 60;
}

// An offset into text, brought within it.
std::size_t within(const char* text, int offset) {
    const std::size_t length = std::strlen(text);
    return offset < 0 || static_cast<std::size_t>(offset) > length
               ? length
               : static_cast<std::size_t>(offset);
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

void pressAlongTrack(const ScreenNode& n, int k) { click(trackPoint(n, k)); }

void endTypingAsAHand() { offerKeyTap(pacing_key_enter); }

bool actForReader(ScreenTracker& t, int i) {
    if (i >= 0 && i < t.told.count && t.told.nodes[i].role == ScreenRole::image) {
        toggleAnimationPause();
        t.asked_focus = i;
        keyboardFollowsReader(i);
        return true;
    }
    if (i < 0 || i >= t.told.count || !isWidget(t.told.nodes[i].role)) return false;
    if (handHoldsButton()) return false;  // refused, as the hand's press is under way
    const ScreenNode& n = t.told.nodes[i];
    operateAsAHand(n);
    if (n.role != ScreenRole::text_field) t.asked_focus = i;
    keyboardFollowsReader(i);
    return true;
}

bool setValueForReader(ScreenTracker& t, int i, double value) {
    if (i < 0 || i >= t.told.count || !hasValue(t.told.nodes[i].role)) return false;
    if (handHoldsButton()) return false;
    setValueAsAHand(t.told.nodes[i], value);
    t.asked_focus = i;
    keyboardFollowsReader(i);
    return true;
}

bool focusForReader(ScreenTracker& t, int i) {
    if (i < 0 || i >= t.told.count || !takesFocus(t.told.nodes[i].role)) return false;
    const ScreenNode& n = t.told.nodes[i];
    if (n.role != ScreenRole::text_field) {
        t.asked_focus = i;
    } else if (!n.focused) {
        if (handHoldsButton()) return false;
        operateAsAHand(n);
    }
    keyboardFollowsReader(i);
    return true;
}

const char* editedText(const ScreenTracker& t, int i) {
    if (!isField(t, i)) return "";
    return t.typing_frames > 0 ? t.typing : t.told.nodes[i].text;
}

bool replaceTextForReader(ScreenTracker& t, int i, const char* text, std::size_t length) {
    if (!canType(t, i)) return false;
    KeptText next;
    next.add(text, length);
    typeForReader(t, i, next);
    return true;
}

bool insertTextForReader(ScreenTracker& t, int i, int at, const char* text, std::size_t length) {
    if (!canType(t, i)) return false;
    const char* was = editedText(t, i);
    const std::size_t split = within(was, at);
    KeptText next;
    next.add(was, split);
    next.add(text, length);
    next.add(was + split, std::strlen(was + split));
    typeForReader(t, i, next);
    return true;
}

bool deleteTextForReader(ScreenTracker& t, int i, int start, int end) {
    if (!canType(t, i)) return false;
    const char* was = editedText(t, i);
    const std::size_t from = within(was, start), to = within(was, end);
    if (to <= from) return true;
    KeptText next;
    next.add(was, from);
    next.add(was + to, std::strlen(was + to));
    typeForReader(t, i, next);
    return true;
}

}  // namespace gui_demo
