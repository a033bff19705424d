// The page's entry point. The browser, not a loop of ours, calls for each frame; the frame is the
// desktop program's own runFrame, with the same state, palette, update and draw steps.
//
// What differs from the desktop start-up, and why: no SetTargetFPS, since the browser paces
// frames to the display (and raylib would busy-wait for its own target on top); no resizable
// window, since the page scales the 1280 x 720 canvas itself; no WindowShouldClose, since a page
// ends when its tab closes. The page's input plumbing (index.html) makes every tap and click
// count and gives touch screens a keyboard; the frame itself is unchanged. After each frame the
// screen is described for the page's mirror of it (screen_mirror.js), which screen readers and
// the keyboard use.
#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdio>

#include "gui_demo/demo.h"
#include "gui_demo/em_dash_glyph.h"
#include "gui_demo/hand_input.h"
#include "gui_demo/input_pacing.h"
#include "gui_demo/navigation.h"
#include "gui_demo/platform.h"
#include "gui_demo/screen_changes.h"

namespace {

struct Page {
    Theme theme;
    gui_demo::DemoState state;
    gui_demo::LoopClock clock;
    // The page draws its own focus mark over the mirror; only the animation's pause is the
    // program's.
    gui_demo::Viewing viewing;
    gui_demo::PadTracker pad;
};

// Frames run after main has returned to the browser, so the state outlives main's stack.
Page page{Theme::defaults(), gui_demo::initialState(), {}, {}, {}};

// The screen as the last frame left it, and the same as lines of text for the page's script; what
// changed in it for a screen reader, as the desktop's bridges are told it, and as lines of text.
gui_demo::ScreenDescription description;
char description_text[16384];
gui_demo::ScreenTracker tracker;
bool tracking = false;
char changes_text[8192];

// One line a node, its fields apart by tabs, which no name or text holds (the field takes
// printable ASCII only): role, parent, level, name, text, the rectangle, the press point, the
// carry point, the flags checked, focused, carried and over the drop zone (0 or 1), the value,
// and whether the track runs downwards.
void writeDescription() {
    std::size_t used = 0;
    for (int i = 0; i < description.count; ++i) {
        const gui_demo::ScreenNode& n = description.nodes[i];
        const int written = std::snprintf(
            description_text + used, sizeof description_text - used,
            "%s\t%d\t%d\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d%d%d%d\t%.9g\t%d\n",
            gui_demo::roleName(n.role), n.parent, n.level, n.name, n.text, n.rect.x, n.rect.y,
            n.rect.w, n.rect.h, n.press.x, n.press.y, n.carry_to.x, n.carry_to.y, n.checked,
            n.focused, n.carried, n.over_drop_zone, static_cast<double>(n.value), n.vertical);
        // A node that does not fit is left out whole; the description is far smaller.
        if (written < 0 || static_cast<std::size_t>(written) >= sizeof description_text - used) {
            break;
        }
        used += static_cast<std::size_t>(written);
    }
    description_text[used] = '\0';
}

// One line a change: its kind's name, its node, and on (0 or 1), apart by tabs. The page's focus
// is the browser's own, so the window's and the reader's focus are not written.
void writeChanges() {
    std::size_t used = 0;
    for (int k = 0; k < tracker.count; ++k) {
        const gui_demo::ScreenChange& c = tracker.changes[k];
        if (c.kind == gui_demo::ScreenChangeKind::focus ||
            c.kind == gui_demo::ScreenChangeKind::window_active)
            continue;
        const int written =
            std::snprintf(changes_text + used, sizeof changes_text - used, "%s\t%d\t%d\n",
                          gui_demo::changeKindName(c.kind), c.node, c.on);
        if (written < 0 || static_cast<std::size_t>(written) >= sizeof changes_text - used) break;
        used += static_cast<std::size_t>(written);
    }
    changes_text[used] = '\0';
}

void frame(void* page) {
    Page& p = *static_cast<Page*>(page);
    gui_demo::runFrame(p.state, p.clock, p.theme, p.viewing);
    gui_demo::describeScreen(p.state, p.clock, description);
    writeDescription();
    if (tracking) {
        gui_demo::trackScreen(tracker, description, true, gui_demo::runningTime(p.clock));
    } else {
        gui_demo::startTracking(tracker, description, true, gui_demo::runningTime(p.clock));
        tracking = true;
    }
    writeChanges();
}

// What of the page's input has reached raylib since the last frame. The script holds the events
// and replays them (index.html); the rules they wait by are the desktop's, asked of here.
gui_demo::PacingFrame pacing;

}  // namespace

// Whether an event may reach the program in this frame, by the desktop's pacing rules; if it may,
// it counts as having done so. kind, code and action are a PacedEvent's, with GLFW's key codes.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_pacing_let_through(int kind, int code, int action) {
    gui_demo::PacedEvent e;
    e.kind = static_cast<gui_demo::PacedEvent::Kind>(kind), e.code = code, e.action = action;
    return gui_demo::letThrough(pacing, e) ? 1 : 0;
}

// Whether a press and the release held after it, the press waiting for age frames, go to raylib
// together in this frame, where they cancel out, as the desktop's pacer merges a flood of clicks:
// only while a later left press waits behind them (later_press, 0 or 1; see is_left_press).
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_pacing_merges(int press_kind, int press_code,
                                                           int press_action, int release_kind,
                                                           int release_code, int release_action,
                                                           unsigned age, int later_press) {
    gui_demo::PacedEvent press, release;
    press.kind = static_cast<gui_demo::PacedEvent::Kind>(press_kind), press.code = press_code;
    press.action = press_action;
    release.kind = static_cast<gui_demo::PacedEvent::Kind>(release_kind);
    release.code = release_code, release.action = release_action;
    return gui_demo::mergesAway(press, release, age, later_press != 0) ? 1 : 0;
}

// Whether an event, as kind, code and action, is a press of the left button.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_pacing_is_left_press(int kind, int code, int action) {
    gui_demo::PacedEvent e;
    e.kind = static_cast<gui_demo::PacedEvent::Kind>(kind), e.code = code, e.action = action;
    return gui_demo::isLeftPress(e) ? 1 : 0;
}

// After each frame: what reaches raylib from now on is seen by the next one.
extern "C" EMSCRIPTEN_KEEPALIVE void gui_demo_pacing_next_frame() {
    pacing = gui_demo::PacingFrame{};
}

// Whether the field keeps a character, and how many it holds: the page sends only that much of a
// text set in its element, so a long one never floods its queue.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_field_keeps(int codepoint) {
    return gui_demo::fieldKeepsCharacter(codepoint) ? 1 : 0;
}
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_field_holds() {
    return static_cast<int>(gui_demo::input_max_len);
}

// The page asks, in the handler of a tap, whether the tap gives the text field its focus, so that
// it can raise a touch screen's keyboard there and then (index.html).
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_on_text_field(int x, int y) {
    return gui_demo::isOverTextField(x, y) ? 1 : 0;
}

// The screen as the last frame drew it, as lines of text (writeDescription above).
extern "C" EMSCRIPTEN_KEEPALIVE const char* gui_demo_description() { return description_text; }

// What changed for a screen reader in the last frame, as lines of text (writeChanges above).
extern "C" EMSCRIPTEN_KEEPALIVE const char* gui_demo_changes() { return changes_text; }

// A screen reader's actions are the program's own (hand_input.h): the pointer events they make go
// to the page's mirror, which sends them through the page's paced queue as a hand's.
EM_JS(void, sendHandInput, (int kind, int action, double x, double y),
      { window.guiDemoHandInput(kind, action, x, y); });
EM_JS(double, realPointerX, (), { return window.guiDemoRealPointer()[0]; });
EM_JS(double, realPointerY, (), { return window.guiDemoRealPointer()[1]; });
EM_JS(int, handHolds, (), { return window.guiDemoHandHolds() ? 1 : 0; });

namespace gui_demo {

void offerHandInput(const PacedEvent& e) {
    // The field's keys are typed into the page's own element, so only the pointer's are made.
    if (e.kind == PacedEvent::Kind::move || e.kind == PacedEvent::Kind::button) {
        sendHandInput(static_cast<int>(e.kind), e.action, e.x, e.y);
    }
}

bool realPointer(double& x, double& y) {
    x = realPointerX(), y = realPointerY();
    return true;
}

bool handHoldsButton() { return handHolds() != 0; }

// The page's keyboard focus is the browser's, which a screen reader moves itself.
void keyboardFollowsReader(int) {}

void toggleAnimationPause() { page.viewing.animation_paused = !page.viewing.animation_paused; }

}  // namespace gui_demo

// A screen reader's action on node i (a click, a tick, a selection, the box carried), as the
// desktop's bridges ask it: 1 if node i has one.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_act(int i) {
    return gui_demo::actForReader(tracker, i) ? 1 : 0;
}

// A screen reader setting node i, a slider or the scroll bar, to v: 1 if it has a value.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_set_value(int i, double v) {
    return gui_demo::setValueForReader(tracker, i, v) ? 1 : 0;
}

// The keyboard's model, as the window's (navigation.h): where command (a NavCommand's number)
// leads from stop (-1: none yet) on the screen as the last frame left it, as "kind number": "stop"
// and the stop, "item" and the radio item's node, "value" and the value to set, "stay", or
// "none" where it is no key of navigation's there. Then the stop a node belongs to, and the node
// a stop stands on now.
extern "C" EMSCRIPTEN_KEEPALIVE const char* gui_demo_nav_target(int stop, int command,
                                                                int from_pad) {
    using Kind = gui_demo::NavTarget::Kind;
    const auto c = static_cast<gui_demo::NavCommand>(command);
    const gui_demo::NavTarget to = gui_demo::navTarget(description, stop, c, from_pad != 0);
    static char text[48];
    const char* kinds[] = {"none", "stay", "stop", "item", "value"};
    double number = to.index;
    if (to.kind == Kind::value) {
        number = static_cast<double>(to.index) /
                 gui_demo::trackLength(description.nodes[gui_demo::nodeOfStop(description, stop)]);
    }
    std::snprintf(text, sizeof text, "%s %.9g", kinds[static_cast<int>(to.kind)], number);
    return text;
}
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_stop_of_node(int i) {
    return gui_demo::stopOfNode(description, i);
}
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_node_of_stop(int stop) {
    return gui_demo::nodeOfStop(description, stop);
}

// A game controller as the browser read it after a frame, a bit each (up, down, left, right, A,
// B, left and right shoulder, from bit 0): the commands of that frame, as their numbers
// (NavCommand) apart by spaces, a direction repeating while held as in the window.
extern "C" EMSCRIPTEN_KEEPALIVE const char* gui_demo_pad(int bits) {
    gui_demo::PadReading r;
    bool* const held[] = {&r.up, &r.down, &r.left,          &r.right,
                          &r.a,  &r.b,    &r.left_shoulder, &r.right_shoulder};
    for (int k = 0; k < 8; ++k) *held[k] = (bits >> k & 1) != 0;
    gui_demo::NavCommand commands[gui_demo::pad_max_commands];
    const int count = gui_demo::padCommands(page.pad, r, commands);
    static char text[4 * gui_demo::pad_max_commands + 1];
    std::size_t used = 0;
    for (int k = 0; k < count; ++k)
        used += static_cast<std::size_t>(
            std::snprintf(text + used, sizeof text - used, "%d ", static_cast<int>(commands[k])));
    text[used] = '\0';
    return text;
}

int main() {
    InitWindow(1280, 720, gui_demo::window_title);
    if (!IsWindowReady()) {
        std::fputs("gui_demo: could not open the canvas: the browser needs WebGL\n", stderr);
        return 1;
    }
    gui_demo::addEmDashGlyph();
    emscripten_set_main_loop_arg(frame, &page, 0, true);
    return 0;
}
