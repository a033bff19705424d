// The default font's em dash. raylib's built-in font covers Latin-1 only, so it would draw the
// title's and the footer's U+2014 as its fallback "?". At start-up one of the font's unused C1
// control slots (U+0080 to U+009F, which no text ever draws) becomes U+2014: a bar in the hyphen's
// rows, as wide as the font's widest capitals, drawn into a free strip of the font's atlas. The
// texts keep their em dashes byte for byte; every other glyph and measure stays as it was.
#include "em_dash_glyph.h"

#include <algorithm>

#include "demo.h"

namespace gui_demo {

namespace {

constexpr int em_dash = 0x2014;
constexpr int hyphen = '-';
constexpr int fallback = '?';
constexpr int c1_first = 0x80;
constexpr int c1_last = 0x9f;
constexpr int gap = 1;  // the atlas keeps one blank pixel between glyphs

// Index of the glyph whose value is codepoint, or -1.
int findGlyph(const Font& font, int codepoint) {
    for (int i = 0; i < font.glyphCount; ++i) {
        if (font.glyphs[i].value == codepoint) return i;
    }
    return -1;
}

// Whether pixel (x, y) of a glyph's gray-and-alpha image is inked.
bool inked(const Image& image, int x, int y) {
    const auto* px = static_cast<const unsigned char*>(image.data);
    return px[(y * image.width + x) * 2 + 1] != 0;
}

}  // namespace

bool addEmDashGlyph() {
    const Font font = GetFontDefault();
    if (font.texture.id == 0 || font.glyphs == nullptr || font.recs == nullptr) return false;
    if (font.texture.format != PIXELFORMAT_UNCOMPRESSED_GRAY_ALPHA) return false;
    if (findGlyph(font, em_dash) >= 0) return false;  // the font has one of its own

    const int dash_at = findGlyph(font, hyphen);
    const int question_at = findGlyph(font, fallback);
    int slot = -1;
    for (int c = c1_first; c <= c1_last && slot < 0; ++c) slot = findGlyph(font, c);
    if (dash_at < 0 || question_at < 0 || slot < 0) return false;

    // The hyphen's inked rows give the bar its height and place.
    const Image& dash_image = font.glyphs[dash_at].image;
    const int height = static_cast<int>(font.recs[dash_at].height);
    if (dash_image.data == nullptr || dash_image.format != PIXELFORMAT_UNCOMPRESSED_GRAY_ALPHA ||
        dash_image.height != height || height <= 0) {
        return false;
    }
    int bar_top = -1, bar_rows = 0;
    for (int y = 0; y < height; ++y) {
        bool row = false;
        for (int x = 0; x < dash_image.width; ++x) row = row || inked(dash_image, x, y);
        if (row && bar_top < 0) bar_top = y;
        if (row) bar_rows = y - bar_top + 1;
    }
    if (bar_top < 0) return false;

    // As wide as the widest capital letter, placed in the atlas below every glyph it holds.
    int width = 0;
    for (int c = 'A'; c <= 'Z'; ++c) {
        const int at = findGlyph(font, c);
        if (at >= 0) width = std::max(width, static_cast<int>(font.recs[at].width));
    }
    float free_top = 0.0f;
    for (int i = 0; i < font.glyphCount; ++i) {
        free_top = std::max(free_top, font.recs[i].y + font.recs[i].height);
    }
    const Rectangle cell = {static_cast<float>(gap), free_top + static_cast<float>(gap),
                            static_cast<float>(width), static_cast<float>(height)};
    if (width <= 0 || cell.x + cell.width > static_cast<float>(font.texture.width) ||
        cell.y + cell.height > static_cast<float>(font.texture.height)) {
        return false;
    }

    Image bar = GenImageColor(width, height, BLANK);
    ImageFormat(&bar, PIXELFORMAT_UNCOMPRESSED_GRAY_ALPHA);
    ImageDrawRectangle(&bar, 0, bar_top, width, bar_rows, WHITE);
    UpdateTextureRec(font.texture, cell, bar.data);

    // The font's glyph and rectangle tables are the library's own, shared with this copy.
    GlyphInfo& glyph = font.glyphs[slot];
    UnloadImage(glyph.image);
    glyph = GlyphInfo{em_dash, 0, 0, 0, bar};
    font.recs[slot] = cell;
    return true;
}

}  // namespace gui_demo
