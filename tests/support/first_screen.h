// What every suite expects of the program's first screen, read from the files in tests/data/ that
// the C++, Python and JavaScript suites share, so that no suite keeps a copy of its own.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace first_screen {

// One line of first_screen_widgets.tsv.
struct Widget {
    std::string kind;  // the screen description's role: button, check_box, slider, ...
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    bool checked = false;
    std::string value;  // a slider's or the scroll bar's value, 0 to 1; empty for none
    std::string text;   // the words drawn for its state; empty for none
};

inline std::vector<std::string> lines(const std::string& path) {
    std::vector<std::string> out;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') out.push_back(line);
    }
    return out;
}

inline std::vector<Widget> widgets(const std::string& path) {
    std::vector<Widget> out;
    for (const std::string& line : lines(path)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field == "-" ? "" : field);
        if (f.size() != 9) continue;
        out.push_back({f[0], f[1], std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]),
                       std::stoi(f[5]), f[6] == "1", f[7], f[8]});
    }
    return out;
}

// The points of first_screen_points.txt that hold still on the first screen: one "x y" a line.
inline std::vector<std::pair<int, int>> points(const std::string& path) {
    std::vector<std::pair<int, int>> out;
    for (const std::string& line : lines(path)) {
        int x = 0, y = 0;
        if (std::sscanf(line.c_str(), "%d %d", &x, &y) == 2) out.emplace_back(x, y);
    }
    return out;
}

}  // namespace first_screen
