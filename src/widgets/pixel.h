// Conversion of a float to a pixel coordinate.
#pragma once

#include <cmath>
#include <limits>

// Truncates toward zero, as a plain cast does. Unlike a cast, a value beyond the int range
// saturates and NaN gives 0, so a hostile fraction can never make the conversion undefined.
inline int truncToPixel(float v) {
    constexpr float limit = 2147483648.0f;  // 2^31, exact in a float
    if (std::isnan(v)) return 0;
    if (v >= limit) return std::numeric_limits<int>::max();
    if (v <= -limit) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// a + b, saturating at the int range instead of overflowing.
inline int addPixels(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (sum < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(sum);
}
