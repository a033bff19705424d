// A screen reader's actions, made into the input a hand would give the widget: a press and
// release at its point, a carry for the drag box, a press at a value's point, Backspaces and
// characters for the text field. All of it goes through the input pacer behind the window
// system's own input, and the pointer is put back where the real one is afterwards, so the
// program behaves exactly as for a hand and a value it cannot take is clamped, cut or dropped
// as a hand's would be. The platforms' accessibility bridges share it.
#pragma once

#include <cstddef>

#include "screen_changes.h"
#include "screen_description.h"

namespace gui_demo {

// The widget's one action: a click at its press point, or for the drag box a carry to its
// carry point.
void operateAsAHand(const ScreenNode& n);

// A press on a slider's or the scroll bar's track where it sets value (valuePoint).
void setValueAsAHand(const ScreenNode& n, double value);

// A press k pixels along a slider's or the scroll bar's track (trackPoint).
void pressAlongTrack(const ScreenNode& n, int k);

// Enter, which ends the field's typing.
void endTypingAsAHand();

// A screen reader's action on node i of what it was told, the one entry every bridge calls: the
// widget's action as a hand makes it, and the reader's focus on the widget from the next change
// list on; the field takes it as the program gives it the keyboard; the animation strip plays or
// pauses (toggleAnimationPause). False, doing nothing, for what has no action (a text) or an
// index out of range.
bool actForReader(ScreenTracker& tracker, int i);

// A screen reader setting a slider or the scroll bar to value: a press where the track gives it,
// and the reader's focus on it. False, doing nothing, for what has no value.
bool setValueForReader(ScreenTracker& tracker, int i, double value);

// A screen reader moving its focus to node i: the field takes the keyboard as a click gives it;
// another widget takes the reader's focus alone. False, doing nothing, for what takes no focus.
bool focusForReader(ScreenTracker& tracker, int i);

// A screen reader editing the field (node i): its text replaced, text inserted at an offset, or
// the characters from start to end deleted (offsets past the end are the end; texts in UTF-8,
// length bytes long). Each edit applies to the text as it will be once the edits before it are
// typed (editedText), is cut to what the field keeps (printable ASCII, 63 characters) before
// anything is queued, and is typed as a hand types: a click on the field if it has no keyboard,
// Backspaces back to where the texts part, then the characters. False, doing nothing, for what
// is not the field.
bool replaceTextForReader(ScreenTracker& tracker, int i, const char* text, std::size_t length);
bool insertTextForReader(ScreenTracker& tracker, int i, int at, const char* text,
                         std::size_t length);
bool deleteTextForReader(ScreenTracker& tracker, int i, int start, int end);

// The field's text as a reader's next edit applies to it: the text still being typed for the
// last edit, else the text drawn.
const char* editedText(const ScreenTracker& tracker, int i);

}  // namespace gui_demo
