// Gives raylib's default font a glyph for U+2014, the em dash of the title and the footer.
#pragma once

namespace gui_demo {

// Call once, after the window has opened. Returns whether the glyph was added; a font that has
// its own em dash, or that is laid out otherwise than raylib's built-in one, is left as it is.
bool addEmDashGlyph();

}  // namespace gui_demo
