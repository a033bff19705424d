// Renders the real program in a virtual X server with a few panels in an interesting state and
// saves the window as a PNG: scripts/screenshot.sh runs it to make the picture in the README.
// With --as-started it saves the screen as the program starts, untouched (the browser tests
// compare the page with it).
#include <cstdio>
#include <filesystem>
#include <string>

#include "x_session.h"

int main(int argc, char** argv) {
    const bool as_started = argc == 4 && std::string(argv[3]) == "--as-started";
    if (argc != 3 && !as_started) {
        std::fprintf(stderr, "usage: %s PROGRAM OUTPUT.png [--as-started]\n", argv[0]);
        return 2;
    }
    xtest::XServer x;
    if (!x.ok()) {
        std::fprintf(stderr, "could not start Xvfb\n");
        return 1;
    }
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "gui_demo_shot";
    std::filesystem::create_directories(dir);
    xtest::Program program(x, std::filesystem::absolute(argv[1]).string(), dir.string());
    if (!program.ok()) {
        std::fprintf(stderr, "the program's window did not appear\n");
        return 1;
    }
    if (as_started) {
        const bool saved = xtest::writePng(program.grab(), argv[2]);
        program.holdKey("Escape");
        program.waitExit(2000);
        return saved ? 0 : 1;
    }
    program.click(40, 140);   // tick "Projective Geometry"
    program.click(35, 345);   // select "Instanced"
    program.click(120, 85);   // one click on the button
    program.moveTo(400, 82);  // "Rotation Speed" to 0.70
    program.press();
    program.release();
    program.click(780, 85);  // focus the text field and type
    program.type(" Demo");
    program.moveTo(600, 310);  // carry the box over the drop zone and hold it there
    program.press();
    program.moveTo(640, 300);
    program.pause(300);
    const bool saved = xtest::writePng(program.grab(), argv[2]);
    program.release();
    program.holdKey("Escape");
    program.waitExit(2000);
    return saved ? 0 : 1;
}
