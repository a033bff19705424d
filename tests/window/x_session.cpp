#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace xtest {

namespace {

constexpr int frame_ms = 17;
constexpr int settle_ms = 4 * frame_ms;  // between two events: the program polls at least twice

// Starts a command in dir, its stdout to /dev/null and, when quiet, its stderr too. It is killed
// when the test process ends, however that happens (a failed assertion, a crash, or a timeout
// that kills the test), so no test leaves its X server or program behind.
pid_t spawn(const std::vector<std::string>& args, const char* dir = nullptr, bool quiet = false,
            int keep_fd = -1) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);  // the test ended before the line above
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    if (quiet) dup2(null, STDERR_FILENO);
    for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd) {
        if (fd != keep_fd) close(fd);
    }
    if (dir != nullptr && chdir(dir) != 0) _exit(127);
    execvp(argv[0], argv.data());
    _exit(127);
}

// A window may go between the tests' looking it up and asking about it (Wine opens and closes
// windows while it starts); Xlib's default handler would end the test there, so such errors are
// ignored and the lookup goes on.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string windowName(Display* d, Window w) {
    const Atom net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, net_wm_name, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return name;
}

// Depth-first search for the first mapped window that carries the title (any title, when empty).
Window findTitled(Display* d, Window w, const std::string& title) {
    XWindowAttributes attrs;
    if (w != DefaultRootWindow(d) && XGetWindowAttributes(d, w, &attrs) &&
        attrs.map_state == IsViewable) {
        const std::string name = windowName(d, w);
        if (title.empty() ? !name.empty() : name == title) return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && found == 0; ++i) found = findTitled(d, children[i], title);
        if (children != nullptr) XFree(children);
    }
    return found;
}

}  // namespace

XServer::XServer(const std::vector<std::string>& extra_args, const std::string& screen) {
    int fds[2];
    if (pipe(fds) != 0) return;
    // Xvfb picks a free display itself and writes its number to the descriptor we give it.
    std::vector<std::string> args = {
        "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"};
    args.insert(args.end(), extra_args.begin(), extra_args.end());
    pid_ = spawn(args, nullptr, true, fds[1]);
    close(fds[1]);
    char buf[16] = {};
    pollfd p{fds[0], POLLIN, 0};
    if (pid_ > 0 && poll(&p, 1, 10000) == 1 && read(fds[0], buf, sizeof buf - 1) > 0) {
        // Appended rather than ":" + ..., on which GCC 12's -O2 warns wrongly (-Wrestrict).
        name_ = ':';
        name_ += std::to_string(std::atoi(buf));
        setenv("DISPLAY", name_.c_str(), 1);
        display_ = XOpenDisplay(name_.c_str());
        XSetErrorHandler(ignoreXError);
    }
    close(fds[0]);
}

XServer::~XServer() {
    if (display_ != nullptr) XCloseDisplay(display_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

Program::Program(XServer& x, const std::string& path, const std::string& dir)
    : Program(x, std::vector<std::string>{path}, dir, "") {}

Program::Program(XServer& x, const std::vector<std::string>& argv, const std::string& dir,
                 const std::string& title)
    : x_(x) {
    // Mesa's software renderer: there is no GPU behind a virtual X server.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    pid_ = spawn(argv, dir.c_str());
    if (pid_ <= 0) return;
    Display* d = x_.display();
    for (int waited = 0; waited < 30000 && window_ == 0; waited += 50) {
        sleepMs(50);
        window_ = findTitled(d, DefaultRootWindow(d), title);
    }
    if (window_ == 0) return;
    // Wait for the first frames to be presented and for the window to stay put (Wine maps it in
    // one place and then moves it), then note where it sits on screen.
    sleepMs(500);
    for (int waited = 0; waited < 5000; waited += 250) {
        int x_now = 0, y_now = 0;
        Window child = 0;
        XTranslateCoordinates(d, window_, DefaultRootWindow(d), 0, 0, &x_now, &y_now, &child);
        if (waited > 0 && x_now == origin_x_ && y_now == origin_y_) break;
        origin_x_ = x_now;
        origin_y_ = y_now;
        sleepMs(250);
    }
}

Program::~Program() {
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::string Program::title() const { return windowName(x_.display(), window_); }

void Program::size(int& w, int& h) const {
    XWindowAttributes attrs{};
    XGetWindowAttributes(x_.display(), window_, &attrs);
    w = attrs.width;
    h = attrs.height;
}

Shot Program::grab(int x, int y, int w, int h) const {
    Display* d = x_.display();
    Shot shot;
    XImage* img = XGetImage(d, DefaultRootWindow(d), origin_x_ + x, origin_y_ + y,
                            static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (img == nullptr) return shot;
    shot.width = w;
    shot.height = h;
    shot.pixels.reserve(static_cast<std::size_t>(w * h));
    for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
            const unsigned long v = XGetPixel(img, px, py);
            shot.pixels.push_back(Rgb{static_cast<int>((v & img->red_mask) >> 16),
                                      static_cast<int>((v & img->green_mask) >> 8),
                                      static_cast<int>(v & img->blue_mask)});
        }
    }
    XDestroyImage(img);
    return shot;
}

void Program::xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = spawn(argv);
    if (pid > 0) waitpid(pid, nullptr, 0);
}

void Program::pause(int ms) const { sleepMs(ms); }

void Program::moveTo(int x, int y) {
    xdotool({"mousemove", std::to_string(origin_x_ + x), std::to_string(origin_y_ + y)});
    sleepMs(settle_ms);
}

void Program::press() {
    xdotool({"mousedown", "1"});
    sleepMs(settle_ms);
}

void Program::release() {
    xdotool({"mouseup", "1"});
    sleepMs(settle_ms);
}

void Program::click(int x, int y) {
    moveTo(x, y);
    press();
    release();
}

void Program::holdKey(const char* keysym) {
    // A key read as "pressed this frame" must be down when the program polls.
    xdotool({"keydown", keysym});
    sleepMs(settle_ms);
    xdotool({"keyup", keysym});
    sleepMs(settle_ms);
}

void Program::type(const char* text) {
    xdotool({"type", "--delay", "30", text});
    sleepMs(settle_ms);
}

void Program::atOnce(std::vector<std::string> args) {
    for (std::size_t i = 0; i + 2 < args.size(); ++i) {
        if (args[i] != "mousemove") continue;
        args[i + 1] = std::to_string(origin_x_ + std::stoi(args[i + 1]));
        args[i + 2] = std::to_string(origin_y_ + std::stoi(args[i + 2]));
    }
    xdotool(args);
    sleepMs(settle_ms);
}

long Program::minorFaults() const {
    FILE* f = std::fopen(("/proc/" + std::to_string(pid_) + "/stat").c_str(), "r");
    if (f == nullptr) return -1;
    char line[1024] = {};
    const bool read_ok = std::fgets(line, sizeof line, f) != nullptr;
    std::fclose(f);
    // The fields after the command name, which ends with the last ')': state is the first,
    // minflt the eighth.
    const char* p = read_ok ? std::strrchr(line, ')') : nullptr;
    if (p == nullptr) return -1;
    long faults = -1;
    if (std::sscanf(p + 1, " %*c %*d %*d %*d %*d %*d %*u %ld", &faults) != 1) return -1;
    return faults;
}

void Program::requestClose() {
    Display* d = x_.display();
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window_;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window_, False, NoEventMask, &ev);
    XFlush(d);
}

std::optional<int> Program::waitExit(int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; waited += 10) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + WTERMSIG(status);
        }
        sleepMs(10);
    }
    return std::nullopt;
}

Outcome runToEnd(const std::vector<std::string>& args, const std::vector<std::string>& env,
                 int timeout_ms) {
    std::vector<std::string> vars;
    for (char** e = environ; *e != nullptr; ++e) vars.emplace_back(*e);
    for (const std::string& change : env) {
        const std::string name = change.substr(0, change.find('=')) + "=";
        std::erase_if(vars, [&](const std::string& v) { return v.rfind(name, 0) == 0; });
        if (change.find('=') != std::string::npos) vars.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);

    Outcome outcome;
    int fds[2];
    if (pipe(fds) != 0) return outcome;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, "/tmp");
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);

    // Read until the program closes its end of the pipe (it exits) or the time is up.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buf[4096];
    while (pid > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) != 1) break;
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        outcome.err.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (pid <= 0) return outcome;
    int status = 0;
    for (int waited = 0; waited <= 1000; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
            if (WIFSIGNALED(status)) {
                outcome.status = 128 + WTERMSIG(status);
                outcome.core_dumped = WCOREDUMP(status);
            }
            return outcome;
        }
        sleepMs(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return outcome;
}

bool writePng(const Shot& shot, const std::string& path) {
    // Each row is prefixed with filter type 0 (none), then the whole image is deflated at once.
    std::vector<unsigned char> raw;
    for (int y = 0; y < shot.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < shot.width; ++x) {
            const Rgb p = shot.at(x, y);
            raw.insert(raw.end(), {static_cast<unsigned char>(p.r), static_cast<unsigned char>(p.g),
                                   static_cast<unsigned char>(p.b)});
        }
    }
    uLongf packed_size = compressBound(raw.size());
    std::vector<unsigned char> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), raw.size(), 9) != Z_OK) return false;
    packed.resize(packed_size);

    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    // Written straight to the file, with no vector built for a chunk: GCC 14's optimiser warns
    // (wrongly: -Wstringop-overflow, -Wfree-nonheap-object) about small vectors grown here.
    auto be32 = [](unsigned char* at, unsigned long v) {
        for (int k = 0; k < 4; ++k) at[k] = static_cast<unsigned char>(v >> (24 - 8 * k) & 0xff);
    };
    auto chunk = [&](const char* type, const unsigned char* data, std::size_t size) {
        unsigned char word[4];
        be32(word, size);
        std::fwrite(word, 1, 4, f);
        std::fwrite(type, 1, 4, f);
        if (size > 0) std::fwrite(data, 1, size, f);
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
        crc = crc32(crc, data, static_cast<uInt>(size));
        be32(word, crc);
        std::fwrite(word, 1, 4, f);
    };
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::fwrite(signature, 1, sizeof signature, f);
    unsigned char header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};  // 8-bit RGB, no interlace
    be32(header, static_cast<unsigned long>(shot.width));
    be32(header + 4, static_cast<unsigned long>(shot.height));
    chunk("IHDR", header, sizeof header);
    chunk("IDAT", packed.data(), packed.size());
    chunk("IEND", nullptr, 0);
    return std::fclose(f) == 0;
}

Shot readPng(const std::string& path) {
    Shot shot;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return shot;
    std::vector<unsigned char> file;
    unsigned char buf[65536];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        file.insert(file.end(), buf, buf + n);
    std::fclose(f);
    auto be32 = [&](std::size_t at) {
        return (unsigned long)file[at] << 24 | file[at + 1] << 16 | file[at + 2] << 8 |
               file[at + 3];
    };
    int width = 0, height = 0;
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = be32(at);
        if (at + 12 + length > file.size()) return shot;
        const std::string type(file.begin() + static_cast<long>(at) + 4,
                               file.begin() + static_cast<long>(at) + 8);
        const unsigned char* data = file.data() + at + 8;
        if (type == "IHDR") {
            // Only what writePng writes: 8-bit RGB, no interlace.
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) return shot;
            width = static_cast<int>(be32(at + 8));
            height = static_cast<int>(be32(at + 12));
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    uLongf raw_size = static_cast<uLongf>(height) * (1 + 3 * static_cast<uLongf>(width));
    std::vector<unsigned char> raw(raw_size);
    if (width <= 0 || height <= 0 ||
        uncompress(raw.data(), &raw_size, packed.data(), packed.size()) != Z_OK ||
        raw_size != raw.size()) {
        return shot;
    }
    shot.pixels.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = raw.data() + static_cast<std::size_t>(y) * (1 + 3 * width);
        if (row[0] != 0) return Shot{};
        for (int x = 0; x < width; ++x)
            shot.pixels.push_back(Rgb{row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]});
    }
    shot.width = width;
    shot.height = height;
    return shot;
}

}  // namespace xtest
