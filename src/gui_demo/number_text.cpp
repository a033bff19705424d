#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace gui_demo {

std::size_t formatDecimal(char* buf, std::size_t size, float v, int frac_digits) {
    if (size == 0) return 0;
    buf[0] = '\0';
    constexpr int max_frac_digits = 16;
    if (!std::isfinite(v) || frac_digits < 0 || frac_digits > max_frac_digits) return 0;

    // The fewest significant digits that read back as the same float, e.g. "1.25e+00". Plain
    // fixed notation is not the same thing for large values: 1e38f would come out as the exact
    // binary value 99999996802856924650656260769173209088 instead of 1 and 38 zeros.
    char sci[32];
    const std::to_chars_result result =
        std::to_chars(sci, sci + sizeof sci - 1, std::abs(v), std::chars_format::scientific);
    if (result.ec != std::errc{}) return 0;
    *result.ptr = '\0';
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
