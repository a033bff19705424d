// Plain decimal texts for the numbers on screen.
#pragma once

#include <cstddef>

namespace gui_demo {

// Writes v with exactly frac_digits digits after the point (none and no point for 0), zero-
// terminated, into buf. The digits are those of the shortest decimal that reads back as the same
// float, rounded half up at the last kept digit: 0.125f gives "0.13" where printf("%.2f") gives
// "0.12". Writes the empty text when v is not finite or the text does not fit in size bytes.
// Returns the text's length.
std::size_t formatDecimal(char* buf, std::size_t size, float v, int frac_digits);

inline constexpr std::size_t shortest_size = 32;

// The digit source of formatDecimal: the shortest decimal that reads back as the finite float v,
// the closest to v where several are that short, in printf's %e form ("1.25e+00", "-3e-45"),
// from {fmt} (header-only).
void shortestScientific(char (&out)[shortest_size], float v);

}  // namespace gui_demo
