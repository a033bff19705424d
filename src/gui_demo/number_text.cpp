#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace gui_demo {

std::size_t formatDecimal(char* buf, std::size_t size, float v, int frac_digits) {
    if (size == 0) return 0;
    buf[0] = '\0';
    constexpr int max_frac_digits = 16;
    if (!std::isfinite(v) || frac_digits < 0 || frac_digits > max_frac_digits) return 0;

    // Shortest round-trip digits in plain notation: at most 39 integer digits for the largest
    // float, or 45 fraction digits for the smallest.
    char shortest[64];
    const std::to_chars_result result =
        std::to_chars(shortest, shortest + sizeof shortest, v, std::chars_format::fixed);
    if (result.ec != std::errc{}) return 0;

    const char* const end = result.ptr;
    const char* p = shortest;
    bool negative = *p == '-';
    if (negative) ++p;
    const char* point = std::find(p, end, '.');
    const char* frac = point == end ? end : point + 1;
    const auto int_len = point - p;
    const auto frac_len = end - frac;

    // digits[0] is room for a carry out of the integer part; the kept fraction is zero-padded.
    char digits[sizeof shortest + max_frac_digits + 1];
    digits[0] = '0';
    std::copy(p, point, digits + 1);
    for (int i = 0; i < frac_digits; ++i) digits[1 + int_len + i] = i < frac_len ? frac[i] : '0';
    const auto n = 1 + int_len + frac_digits;

    // Half up on the shortest digits: a dropped tail that starts with 5 is at least one half.
    if (frac_digits < frac_len && frac[frac_digits] >= '5') {
        auto i = n - 1;
        while (digits[i] == '9') digits[i--] = '0';
        ++digits[i];
    }
    const char* const first = digits[0] == '0' ? digits + 1 : digits;
    if (std::all_of(first, static_cast<const char*>(digits + n), [](char c) { return c == '0'; }))
        negative = false;

    const auto whole = digits + 1 + int_len - first;
    const auto len = static_cast<std::size_t>(negative + whole + (frac_digits > 0) + frac_digits);
    if (len + 1 > size) return 0;
    char* out = buf;
    if (negative) *out++ = '-';
    out = std::copy(first, first + whole, out);
    if (frac_digits > 0) {
        *out++ = '.';
        out = std::copy(digits + 1 + int_len, digits + n, out);
    }
    *out = '\0';
    return len;
}

}  // namespace gui_demo
