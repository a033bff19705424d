// The page build's digit source, run under Node.js: prints the text it gives for every float the
// agreement test checks, one "<bits in hex> <text>" a line, for web_digits_test.cpp to check
// against std::to_chars, which the page's toolchain lacks for floats.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "gui_demo/number_text.h"

namespace {

// The page's C++ library has no std::bit_cast.
std::uint32_t bitsOf(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

float fromBits(std::uint32_t bits) {
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void print(float v) {
    char text[gui_demo::shortest_size];
    gui_demo::shortestScientific(text, v);
    std::printf("%08x %s\n", static_cast<unsigned>(bitsOf(v)), text);
}

}  // namespace

int main() {
    for (int k = 0; k < 200; ++k) print(static_cast<float>(k) / 200.0f);
    for (int e = -149; e <= 127; ++e) {
        const float p = std::ldexp(1.0f, e);
        for (float v : {p, std::nextafter(p, 0.0f), std::nextafter(p, INFINITY), -p}) print(v);
    }
    for (float v : {0.0f, -0.0f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, 1e38f, 0.1f, 59.94f, 1.0f / 3}) {
        print(v);
    }
    std::mt19937 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        const float v = fromBits(static_cast<std::uint32_t>(random()));
        if (std::isfinite(v)) print(v);
    }
}
