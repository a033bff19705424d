// Drives the real program in a private virtual X server: starts Xvfb on a free display, launches
// the program, finds its window, sends real pointer and keyboard events through xdotool, reads
// pixels back from the screen, and stops everything it started by process id.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace xtest {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, Rgb c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A grabbed rectangle of the window, pixel (x, y) relative to the window's top-left corner.
struct Shot {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

class XServer {
public:
    // Starts Xvfb with extra arguments (e.g. {"-extension", "GLX"}) and one screen of the given
    // size and depth; check ok() before use.
    explicit XServer(const std::vector<std::string>& extra_args = {},
                     const std::string& screen = "1280x720x24");
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool ok() const { return display_ != nullptr; }
    Display* display() const { return display_; }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

class Program {
public:
    // Launches the program in dir (a fresh working directory) and waits for its window.
    Program(XServer& x, const std::string& path, const std::string& dir);
    // Runs a command line (e.g. {"wine", "gui_demo.exe"}) and waits for the window titled title,
    // or for any titled window when title is empty.
    Program(XServer& x, const std::vector<std::string>& argv, const std::string& dir,
            const std::string& title);
    ~Program();  // ends the program if it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool ok() const { return window_ != 0; }
    Window window() const { return window_; }
    std::string title() const;
    void size(int& w, int& h) const;

    Shot grab(int x = 0, int y = 0, int w = 1280, int h = 720) const;
    // Where the window's top-left pixel is on the screen.
    int originX() const { return origin_x_; }
    int originY() const { return origin_y_; }
    Rgb pixel(int x, int y) const { return grab(x, y, 1, 1).at(0, 0); }

    // Pointer and keyboard, in window coordinates. Each call waits a few frames afterwards,
    // so that the program polls once between any two events.
    void moveTo(int x, int y);
    void press();
    void release();
    void click(int x, int y);
    void holdKey(const char* keysym);  // down, a few frames, up
    void type(const char* text);
    // One xdotool command line, its events sent at once (within a frame); "mousemove X Y" takes
    // window coordinates. Waits a few frames afterwards, like the calls above.
    void atOnce(std::vector<std::string> args);
    void pause(int ms) const;

    // Minor page faults the program has taken so far (from /proc), or -1 when it has ended.
    long minorFaults() const;

    // The close request a window manager's close button sends.
    void requestClose();
    // Waits up to timeout_ms for the program to end; its exit status, or nothing.
    std::optional<int> waitExit(int timeout_ms);

private:
    void xdotool(const std::vector<std::string>& args);

    XServer& x_;
    pid_t pid_ = -1;
    Window window_ = 0;
    int origin_x_ = 0, origin_y_ = 0;
};

// How a program run to its end went: its exit status (128 + signal when killed; nothing if it
// still ran at the timeout and was killed) and all it wrote to stderr.
struct Outcome {
    std::optional<int> status;
    bool core_dumped = false;
    std::string err;
};

// Runs a command line with its environment changed by env: "NAME=value" sets, a bare "NAME"
// unsets.
Outcome runToEnd(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 int timeout_ms);
inline Outcome runToEnd(const std::string& path, const std::vector<std::string>& env,
                        int timeout_ms) {
    return runToEnd(std::vector<std::string>{path}, env, timeout_ms);
}

// Writes a shot as an RGB PNG.
bool writePng(const Shot& shot, const std::string& path);
// Reads back a PNG that writePng wrote (8-bit RGB, no row filters); an empty shot otherwise.
Shot readPng(const std::string& path);

}  // namespace xtest
