// The em dash given to raylib's real default font, in a real window: it measures as wide as the
// widest capitals, and every other glyph and every measure stays exactly as it was. Runs in a
// private X server (scripts/with-xvfb.sh).
#include <gtest/gtest.h>
#include <raylib.h>

#include <string>
#include <vector>

#include "gui_demo/em_dash_glyph.h"

namespace {

// Every codepoint of the built-in font but the control slot the em dash takes, as UTF-8.
std::vector<std::string> everyOtherCharacter() {
    std::vector<std::string> texts;
    std::string all;
    for (int c = 32; c < 256; ++c) {
        if (c >= 0x80 && c <= 0x9f) continue;
        int size = 0;
        texts.emplace_back(CodepointToUTF8(c, &size), static_cast<std::size_t>(size));
        all += texts.back();
    }
    texts.push_back(all);
    texts.push_back("ZELKOR ENGINE - O3DE LyShine GUI Components Demo");
    texts.push_back("FPS: 60 | Time: 12.3s");
    return texts;
}

struct Measures {
    std::vector<int> widths;
    std::vector<int> glyph_values;
    std::vector<float> rects;
};

Measures measure(const std::vector<std::string>& texts) {
    Measures m;
    for (const std::string& text : texts) {
        for (int size : {10, 12, 13, 14, 16, 18, 22})
            m.widths.push_back(MeasureText(text.c_str(), size));
    }
    const Font font = GetFontDefault();
    for (int i = 0; i < font.glyphCount; ++i) {
        const int c = font.glyphs[i].value;
        if ((c >= 0x80 && c <= 0x9f) || c == 0x2014) continue;
        m.glyph_values.push_back(font.glyphs[i].value);
        const Rectangle r = font.recs[i];
        m.rects.insert(m.rects.end(), {r.x, r.y, r.width, r.height});
    }
    return m;
}

}  // namespace

TEST(DefaultFont, GainsAnEmDashAndKeepsEveryOtherGlyphAndMeasure) {
    SetTraceLogLevel(LOG_WARNING);
    InitWindow(320, 200, "font");
    ASSERT_TRUE(IsWindowReady());

    const std::vector<std::string> texts = everyOtherCharacter();
    const Measures before = measure(texts);
    EXPECT_EQ(MeasureText("\u2014", 22), MeasureText("?", 22)) << "drawn as the fallback before";

    ASSERT_TRUE(gui_demo::addEmDashGlyph());
    EXPECT_FALSE(gui_demo::addEmDashGlyph()) << "a font with an em dash is left as it is";

    const Measures after = measure(texts);
    EXPECT_EQ(after.widths, before.widths);
    EXPECT_EQ(after.glyph_values, before.glyph_values);
    EXPECT_EQ(after.rects, before.rects);

    const Font font = GetFontDefault();
    EXPECT_EQ(MeasureText("\u2014", 10), MeasureText("M", 10));
    EXPECT_EQ(MeasureText("\u2014", 10), 7);
    EXPECT_NE(GetGlyphIndex(font, 0x2014), GetGlyphIndex(font, '?'));
    EXPECT_EQ(GetGlyphIndex(font, 0x2013), GetGlyphIndex(font, '?')) << "others still fall back";
    CloseWindow();
}
