// What the real-window tests know of the demo's screen: colours, the points that hold still on
// its first screen, and where the text field's text ends.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "x_session.h"

namespace xtest {

inline constexpr Rgb bg = {12, 12, 18};
inline constexpr Rgb accent = {80, 180, 255};
inline constexpr Rgb checkbox_empty = {50, 55, 70};
inline constexpr Rgb input_border = {50, 55, 70};
inline constexpr Rgb btn_normal = {40, 44, 55};

inline bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// The title's em dash, in the cell where "ZELKOR ENGINE " ends: a bar in the hyphen's rows
// (y 23 and 24), as wide as an M (x 211 to 225), and nothing above or below it where a "?" would
// have its strokes. An empty text when it is so, else what is wrong.
inline std::string titleDashProblem(const Shot& screen) {
    std::string problem;
    for (int y = 14; y < 38; ++y) {
        for (int x = 211; x <= 225; ++x) {
            const bool bar = y == 23 || y == 24;
            if ((screen.at(x, y) == accent) != bar) {
                // Appended piece by piece: GCC 12 at -O2 warns wrongly (-Wrestrict) on "(" + ...
                problem += '(';
                problem += std::to_string(x);
                problem += ", ";
                problem += std::to_string(y);
                problem += ") ";
            }
        }
    }
    return problem;
}

// The rightmost column in the input field's text rows holding a light text pixel, up to the
// column before right (the field's right edge, or further for a text that runs past it); the
// accent cursor and the dark field do not count.
inline int textEnd(const Program& p, int right = 998) {
    const Shot field = p.grab(762, 76, right - 762, 24);
    int end = -1;
    for (int y = 0; y < field.height; ++y) {
        for (int x = 0; x < field.width; ++x) {
            if (field.at(x, y).r > 150) end = std::max(end, 762 + x);
        }
    }
    return end;
}

// The keyboard's focus mark.
inline constexpr Rgb mark = {255, 213, 74};

struct Stop {
    const char* name;
    int x, y;  // a point on the mark's ring: 5 px left of the widget, at its middle
};

// The stops in Tab order.
inline constexpr Stop stops[] = {
    {"Click Me", 25, 90},
    {"Projective Geometry", 25, 141},
    {"Dual Quaternions", 25, 176},
    {"Archetype Algebra", 25, 211},
    {"Render Mode", 25, 281},
    {"Rotation Speed", 255, 82},
    {"Field of View", 255, 132},
    {"Exposure", 255, 182},
    {"Scroll", 465, 210},
    {"DRAG", 595, 325},
    {"Name:", 755, 88},
    {"animation strip", 5, 445},
};
inline constexpr int stop_count = static_cast<int>(std::size(stops));

// Which stops show the mark, as a list of names, for a readable failure.
inline std::string marked(const Program& p) {
    const Shot screen = p.grab();
    std::string names;
    for (const Stop& s : stops) {
        if (screen.at(s.x, s.y) == mark) names += std::string(names.empty() ? "" : ", ") + s.name;
    }
    return names;
}

}  // namespace xtest
