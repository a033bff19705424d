// The page's digits: the page build's own digit source, run under Node.js (digits_main.cpp),
// gives for every float the agreement test checks the very text std::to_chars gives here.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

TEST(WebDigits, ThePageBuildsDigitsAgreeWithToChars) {
    FILE* node = popen("node '" GUI_DEMO_WEB_DIGITS "'", "r");
    ASSERT_NE(node, nullptr);
    char line[64];
    int checked = 0, wrong = 0;
    while (std::fgets(line, sizeof line, node) != nullptr) {
        unsigned bits = 0;
        char text[40] = {};
        if (std::sscanf(line, "%x %39s", &bits, text) != 2) continue;
        const float v = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        char expected[40] = {};
        std::to_chars(expected, expected + sizeof expected - 1, v, std::chars_format::scientific);
        ++checked;
        if (std::strcmp(text, expected) != 0 && ++wrong <= 10) {
            ADD_FAILURE() << "bits 0x" << std::hex << bits << ": page " << text << ", to_chars "
                          << expected;
        }
    }
    EXPECT_EQ(pclose(node), 0) << GUI_DEMO_WEB_DIGITS << ": run scripts/build-web.sh";
    // Every line the program prints: the slider values, the powers of two with their neighbours
    // and the special values are 1,317; the rest are the finite ones of 300,000 random patterns.
    EXPECT_GT(checked, 290000);
    EXPECT_EQ(wrong, 0);
}
