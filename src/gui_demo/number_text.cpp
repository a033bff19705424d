#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gui_demo {

namespace {

// Adds one unit in the last digit of a %e text, away from zero: "1.29e-05" becomes "1.30e-05",
// "-9.9e+01" becomes "-1.0e+02".
void stepAwayFromZero(char (&text)[shortest_size]) {
    char* const first = text + (text[0] == '-');
    char* const e = std::strchr(first, 'e');
    for (char* d = e - 1; d >= first; --d) {
        if (*d == '.') continue;
        if (*d != '9') {
            ++*d;
            return;
        }
        *d = '0';
    }
    // Carried past the first digit: 9.99e+05 is now 0.00e+05, which stands for 1.00e+06.
    *first = '1';
    const int exponent = std::atoi(e + 1) + 1;
    std::snprintf(e, static_cast<std::size_t>(text + shortest_size - e), "e%+03d", exponent);
}

}  // namespace

void shortestScientific(char (&out)[shortest_size], float v) {
    // printf's %e rounds correctly to the digits asked for, so at each precision it gives the
    // closest text of that length. Where a power of two leaves a gap below v half as wide as the
    // gap above, that closest text may lie just below v and read back as the float below, while
    // the next one up reads back as v: both are tried before taking one more digit. Nine
    // significant digits always read back for a float.
    for (int precision = 0; precision <= 8; ++precision) {
        std::snprintf(out, sizeof out, "%.*e", precision, static_cast<double>(v));
        if (std::strtof(out, nullptr) == v) return;
        if (std::fabs(std::strtod(out, nullptr)) < std::fabs(static_cast<double>(v))) {
            stepAwayFromZero(out);
            if (std::strtof(out, nullptr) == v) return;
        }
    }
    std::snprintf(out, sizeof out, "%.8e", static_cast<double>(v));  // not reached
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
