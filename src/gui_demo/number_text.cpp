#include "number_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gui_demo {

void shortestScientific(char (&out)[shortest_size], float v) {
    // {fmt} writes the shortest decimal that reads back as the same float (Dragonbox), the
    // closest where several are that short, in plain or exponent notation as it sees fit: "0.1",
    // "123.45", "0.00012", "1e+20", "-3e-45". Only the layout changes here, to %e's.
    char text[shortest_size];
    const auto written = fmt::format_to_n(text, sizeof text - 1, "{}", v);
    *written.out = '\0';

    const bool negative = text[0] == '-';
    char digits[shortest_size] = {};
    int n = 0;
    int point = -1;  // digits before the decimal point
    const char* p = text + negative;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p == '.') {
            point = n;
        } else {
            digits[n++] = *p;
        }
    }
    if (point < 0) point = n;
    const int exponent_part = *p == 'e' ? std::atoi(p + 1) : 0;
    // Leading zeros ("0.00012") and trailing ones ("100") are the notation's, not digits.
    int first = 0;
    while (first < n - 1 && digits[first] == '0') ++first;
    while (n - 1 > first && digits[n - 1] == '0') --n;
    const int exponent = digits[first] == '0' ? 0 : point - first - 1 + exponent_part;

    char* o = out;
    if (negative) *o++ = '-';
    *o++ = digits[first];
    if (n - first > 1) {
        *o++ = '.';
        o = std::copy(digits + first + 1, digits + n, o);
    }
    std::snprintf(o, static_cast<std::size_t>(out + shortest_size - o), "e%+03d", exponent);
}

std::size_t formatDecimal(char* buf, std::size_t size, float v, int frac_digits) {
    if (size == 0) return 0;
    buf[0] = '\0';
    constexpr int max_frac_digits = 16;
    if (!std::isfinite(v) || frac_digits < 0 || frac_digits > max_frac_digits) return 0;

    // The shortest digits, not plain fixed notation: for large values that would print the exact
    // binary value, 99999996802856924650656260769173209088 for 1e38f instead of 1 and 38 zeros.
    char sci[shortest_size];
    shortestScientific(sci, std::fabs(v));
    char significant[16];
    int n_significant = 0;
    const char* p = sci;
    for (; *p != 'e'; ++p) {
        if (*p != '.') significant[n_significant++] = *p;
    }
    const int exponent = std::atoi(p + 1);

    // Lay the digits out around the decimal point: digits[0] is room for a carry, then the whole
    // part (at least "0"), then exactly frac_digits of the fraction, zero-padded.
    const int point = exponent + 1;  // significant digits before the point; may be <= 0
    const int whole_len = std::max(point, 1);
    const int n = 1 + whole_len + frac_digits;
    // Digit i of the value counted from the first significant one; zero outside them.
    auto digitAt = [&](int i) { return i >= 0 && i < n_significant ? significant[i] : '0'; };
    char digits[1 + 40 + max_frac_digits];  // the largest float has 39 whole digits
    digits[0] = '0';
    for (int i = 1; i < n; ++i) digits[i] = digitAt(i - 1 - whole_len + point);

    // Half up: a dropped tail that starts with 5 is at least one half, as the digits are exact.
    if (digitAt(point + frac_digits) >= '5') {
        int i = n - 1;
        while (digits[i] == '9') digits[i--] = '0';
        ++digits[i];
    }
    const char* const first = digits[0] == '0' ? digits + 1 : digits;
    const char* const fraction = digits + 1 + whole_len;
    const char* const end = digits + n;
    // No minus sign on a text that reads as zero.
    const bool negative =
        std::signbit(v) && std::any_of(first, end, [](char c) { return c != '0'; });

    const auto whole = fraction - first;
    const auto len = static_cast<std::size_t>(negative + whole + (frac_digits > 0) + frac_digits);
    if (len + 1 > size) return 0;
    char* out = buf;
    if (negative) *out++ = '-';
    out = std::copy(first, first + whole, out);
    if (frac_digits > 0) {
        *out++ = '.';
        out = std::copy(fraction, end, out);
    }
    *out = '\0';
    return len;
}

}  // namespace gui_demo
