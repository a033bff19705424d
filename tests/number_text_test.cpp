#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "gui_demo/number_text.h"

using gui_demo::formatDecimal;

namespace {

std::string format(float v, int digits, std::size_t size = 64) {
    char buf[64];
    std::memset(buf, 'x', sizeof buf);
    const std::size_t len = formatDecimal(buf, size, v, digits);
    EXPECT_EQ(len, std::strlen(buf)) << "the returned length is the text's";
    return buf;
}

}  // namespace

TEST(NumberText, EverySliderValueShowsItsDecimalRoundedHalfUp) {
    // The pointer sets k / 200. Its exact decimal is k * 5 thousandths, so half up at the
    // hundredths is (5k + 5) / 10 in whole hundredths.
    int differs_from_printf = 0;
    for (int k = 0; k < 200; ++k) {
        const float v = static_cast<float>(k) / 200.0f;
        const int hundredths = (5 * k + 5) / 10;
        char expected[16];
        std::snprintf(expected, sizeof expected, "%d.%02d", hundredths / 100, hundredths % 100);
        EXPECT_EQ(format(v, 2), expected) << "k = " << k;

        char plain[16];
        std::snprintf(plain, sizeof plain, "%.2f", static_cast<double>(v));
        differs_from_printf += std::strcmp(plain, expected) != 0;
    }
    // Rounding the stored binary value instead would get a quarter of them wrong.
    EXPECT_EQ(differs_from_printf, 50);
}

TEST(NumberText, RoundsTheShortestDigitsHalfUp) {
    struct Case {
        float v;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {59.94f, 0, "60"},
        {2.5f, 0, "3"},
        {0.25f, 1, "0.3"},
        {0.35f, 1, "0.4"},
        {12.345f, 1, "12.3"},
        {0.5f, 2, "0.50"},
        {0.0f, 2, "0.00"},
        {0.0f, 0, "0"},
        {0.005f, 2, "0.01"},
        {0.125f, 2, "0.13"},
        {0.995f, 2, "1.00"},
        {9.96f, 1, "10.0"},
        {99.5f, 0, "100"},
        {1234567.0f, 0, "1234567"},
        {0.04f, 1, "0.0"},
        {-1.25f, 1, "-1.3"},
        {-0.001f, 2, "0.00"},
        {-0.0f, 1, "0.0"},
        {1e38f, 0, "100000000000000000000000000000000000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.v, c.digits), c.text) << c.v;
}

TEST(NumberText, WritesTheEmptyTextWhenThereIsNoPlainDecimalOrNoRoom) {
    struct Case {
        const char* name;
        float v;
        std::size_t size;
    };
    const Case cases[] = {
        {"NaN", NAN, 64},
        {"infinity", INFINITY, 64},
        {"minus infinity", -INFINITY, 64},
        {"one byte short of 0.50 and its terminator", 0.5f, 4},
        {"the largest float in a small buffer", 3.4e38f, 32},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.v, 2, c.size), "") << c.name;
    EXPECT_EQ(format(0.5f, 2, 5), "0.50") << "exactly enough room";
}

TEST(NumberText, LeavesAZeroSizedBufferUntouched) {
    char buf[1] = {'x'};
    EXPECT_EQ(formatDecimal(buf, 0, 1.0f, 1), 0u);
    EXPECT_EQ(buf[0], 'x');
}

TEST(NumberText, TheDigitSourceAgreesWithToCharsEverywhere) {
    // The page build has no floating-point to_chars, so the digits come from printf and strtof;
    // they must be the very digits to_chars gives, or the two builds would show different texts.
    auto expectAgreement = [](float v) {
        char expected[gui_demo::shortest_size] = {};
        const auto r = std::to_chars(expected, expected + sizeof expected - 1, v,
                                     std::chars_format::scientific);
        ASSERT_EQ(r.ec, std::errc{});
        char got[gui_demo::shortest_size];
        gui_demo::shortestScientific(got, v);
        ASSERT_STREQ(got, expected) << "bits 0x" << std::hex << std::bit_cast<std::uint32_t>(v);
    };
    for (int k = 0; k < 200; ++k) expectAgreement(static_cast<float>(k) / 200.0f);
    // Powers of two, where the gap below is half the gap above, and their neighbours; the
    // smallest, largest and subnormal values.
    for (int e = -149; e <= 127; ++e) {
        const float p = std::ldexp(1.0f, e);
        for (float v : {p, std::nextafter(p, 0.0f), std::nextafter(p, INFINITY), -p}) {
            expectAgreement(v);
        }
    }
    for (float v : {0.0f, -0.0f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 1e38f, 0.1f, 59.94f, 1.0f / 3}) {
        expectAgreement(v);
    }
    // Random bit patterns: every exponent, both signs.
    std::mt19937 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        const float v = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(v)) expectAgreement(v);
    }
}
