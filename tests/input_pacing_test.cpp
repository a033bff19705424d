// The pacing rules, with no window: what the window system reports, frame by frame, and what
// reaches the library before each snapshot.
//
// Script words: "m3" pointer move to (3, 3), "p"/"r" left press/release, "p2"/"r2" another
// button, "'a" the character a, "b+"/"b-" Backspace down/up, "e+"/"e-" Enter, "k65+"/"k65-" a
// key the program does not read, and "|" the end of a frame (the poll, then the release of what
// waited, then the next snapshot).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gui_demo/input_pacing.h"

using gui_demo::InputPacer;
using gui_demo::PacedEvent;
using Kind = PacedEvent::Kind;

namespace {

PacedEvent parse(const std::string& w) {
    PacedEvent e;
    switch (w[0]) {
        case 'm':
            e.kind = Kind::move, e.x = e.y = std::stod(w.substr(1));
            break;
        case 'p':
        case 'r':
            e.kind = Kind::button, e.action = w[0] == 'p' ? 1 : 0;
            e.code = w.size() > 1 ? std::stoi(w.substr(1)) : 0;
            break;
        case '\'':
            e.kind = Kind::character, e.code = w[1];
            break;
        default:
            e.kind = Kind::key, e.action = w.back() == '+' ? 1 : 0;
            e.code = w[0] == 'b' ? 259 : w[0] == 'e' ? 257 : std::stoi(w.substr(1));
    }
    return e;
}

// Built by appending: GCC 12 at -O2 warns (-Wrestrict, wrongly) inside the standard library on
// "literal" + std::string, and every build type must build without a warning.
std::string word(const PacedEvent& e) {
    std::string w;
    switch (e.kind) {
        case Kind::move:
            w += 'm';
            w += std::to_string(static_cast<int>(e.x));
            break;
        case Kind::button:
            w += e.action ? 'p' : 'r';
            if (e.code) w += std::to_string(e.code);
            break;
        case Kind::character:
            w += '\'';
            w += static_cast<char>(e.code);
            break;
        case Kind::key:
            if (e.code == 259) {
                w += 'b';
            } else if (e.code == 257) {
                w += 'e';
            } else {
                w += 'k';
                w += std::to_string(e.code);
            }
            w += e.action ? '+' : '-';
            break;
    }
    return w.empty() ? "?" : w;
}

std::string run(InputPacer& pacer, const std::string& script) {
    std::string seen;
    auto forward = [&](const PacedEvent& e) { seen += word(e) + " "; };
    std::istringstream words(script);
    for (std::string w; words >> w;) {
        if (w == "|") {
            gui_demo::releaseDueEvents(pacer, forward);
            seen += "| ";
        } else {
            gui_demo::offerEvent(pacer, parse(w), forward);
        }
    }
    return seen;
}

struct Case {
    const char* name;
    const char* script;
    const char* seen;
};

}  // namespace

TEST(InputPacing, EachChangeGetsAFrameOfItsOwnInTheOrderItWasMade) {
    const Case cases[] = {
        {"a quick click", "m5 p r | |", "m5 p | r | "},
        {"a quick click, then a move away", "m5 p r m90 | | |", "m5 p | r | m90 | "},
        {"a press is not moved by the pointer that follows it", "p m7 m8 | |", "p | m8 | "},
        {"a drag ended and a new one begun in one frame", "p | m5 r p m6 | | | |",
         "p | m5 | r | p | m6 | "},
        {"a flick: moved and let go in one frame, seen moved with the button down first",
         "p | m5 m9 r | |", "p | m5 m9 | r | "},
        {"ab, Backspace, i", "'a 'b b+ b- 'i | |", "'a 'b b+ | b- 'i | "},
        {"Enter then x", "e+ e- 'x | |", "e+ | e- 'x | "},
        {"Backspace after Enter", "e+ b+ | |", "e+ | b+ | "},
        {"typing, then a click", "'x p r | | |", "'x | p | r | "},
        {"two quick Backspace taps", "b+ b- b+ b- | | | |", "b+ | b- | b+ | b- | "},
        {"fast typing is not slowed by its letter keys", "k65+ 'a k66+ k65- 'b k66- |",
         "k65+ 'a k66+ k65- 'b k66- | "},
        {"keys and buttons the program does not read pass a waiting queue", "p r p2 k65+ r2 | |",
         "p p2 k65+ r2 | r | "},
        {"between two waiting events only the last position is kept", "p r m1 m2 m3 'x m4 m5 | | |",
         "p | r | m3 'x m5 | "},
    };
    for (const Case& c : cases) {
        InputPacer pacer;
        EXPECT_EQ(run(pacer, c.script), c.seen) << c.name;
    }
}

TEST(InputPacing, ABurstOfTypingKeepsEveryCharacterSixteenAFrame) {
    InputPacer pacer;
    std::string script, seen;
    for (int i = 0; i < 40; ++i) {
        const std::string w = std::string("'") + static_cast<char>('A' + i) + " ";
        script += w;
        seen += w + (i == 15 || i == 31 ? "| " : "");
    }
    EXPECT_EQ(run(pacer, script + "| | |"), seen + "| ");
}

std::string repeat(const std::string& words, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += words;
    return all;
}

TEST(InputPacing, ClicksThatWaitedTooLongMergeButTheNewestClickAndKeysNeverDo) {
    // 100 clicks at once, and a click on another spot right after them. Six clicks are seen
    // before the backlog is 10 frames old; then the rest go to raylib in one frame, where each
    // press and release cancel out. The last click, what a person made, is seen as made, whatever
    // follows it: a move (a screen reader puts the pointer back after its click) or a key.
    const std::string flood = "p | r | " + repeat("p | r | ", 4) + "p | r " + repeat("p r ", 94);
    const struct {
        const char* name;
        std::string script, seen;
    } cases[] = {
        {"a flood, then a click", repeat("p r ", 100) + "m9 p r " + repeat("| ", 14),
         flood + "| m9 p | r | "},
        {"a flood, then a click and a move", repeat("p r ", 100) + "m9 p r m5 " + repeat("| ", 15),
         flood + "| m9 p | r | m5 | "},
        {"a flood, then a click and a key",
         repeat("p r ", 100) + "m9 p r b+ b- " + repeat("| ", 15), flood + "| m9 p | r b+ | b- | "},
        {"50 Backspaces", repeat("b+ b- ", 50) + repeat("| ", 100), repeat("b+ | b- | ", 50)},
        // A screen reader replacing a field's text, then clicking: each Backspace deletes, however
        // long it waited, and the click behind them counts.
        {"a click behind 40 Backspaces", repeat("b+ b- ", 40) + "m9 p r m5 " + repeat("| ", 82),
         repeat("b+ | b- | ", 39) + "b+ | b- m9 p | r | m5 | "},
    };
    for (const auto& c : cases) {
        InputPacer pacer;
        EXPECT_EQ(run(pacer, c.script), c.seen) << c.name;
    }
}

TEST(InputPacing, AFloodKeepsMemoryFixedAndEndsInTheLastStateSent) {
    InputPacer pacer;
    int presses = 0, releases = 0, last = -1;
    auto forward = [&](const PacedEvent& e) {
        (e.action ? presses : releases) += 1;
        last = e.action;
    };
    // Twenty thousand presses and releases in one frame: more than the queue holds.
    PacedEvent e;
    e.kind = Kind::button;
    for (int i = 0; i < 20000; ++i) {
        e.action = i % 2 == 0 ? 1 : 0;
        gui_demo::offerEvent(pacer, e, forward);
        ASSERT_LE(pacer.count, gui_demo::pacing_capacity);
    }
    for (int frame = 0; frame < 600 && pacer.count > 0; ++frame) {
        gui_demo::releaseDueEvents(pacer, forward);
    }
    EXPECT_EQ(pacer.count, 0u);
    EXPECT_EQ(presses, 10000);
    EXPECT_EQ(releases, 10000);
    EXPECT_EQ(last, 0) << "the button is not left down";
}
