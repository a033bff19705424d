// The Windows zip as a user meets it: unpacked afresh, its gui_demo.exe run under Wine in a
// private Xvfb on Mesa's software OpenGL, driven by real pointer and keyboard events, checked
// pixel by pixel against the Linux program's first screen, and its exit status read through wine.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "demo_screen.h"
#include "quick_input.h"
#include "x_session.h"

namespace fs = std::filesystem;
using xtest::accent;
using xtest::near;
using xtest::Program;
using xtest::XServer;

namespace {

const std::string work = GUI_DEMO_WINE_WORK;  // the unpacked zip and the Wine prefix
const std::string folder = work + "/unpacked/gui_demo-" GUI_DEMO_VERSION "-windows-x86_64";
const std::string exe = folder + "/gui_demo.exe";
constexpr char demo_title[] = "MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)";

int run(const std::string& command) { return WEXITSTATUS(std::system(command.c_str())); }

std::string output(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (p == nullptr) return out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    pclose(p);
    return out;
}

// Unpacks the zip as a user would, and makes the Wine prefix on first use (about 10 s): under the
// build tree, with no Mono or Gecko prompts and no debug chatter.
class WineSetup : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(GUI_DEMO_ZIP)) << GUI_DEMO_ZIP << ": run scripts/build-windows.sh";
        fs::remove_all(work + "/unpacked");
        fs::create_directories(work + "/unpacked");
        ASSERT_EQ(run("cd '" + work + "/unpacked' && cmake -E tar xf '" GUI_DEMO_ZIP "'"), 0);
        setenv("WINEPREFIX", (work + "/prefix").c_str(), 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        if (!fs::exists(work + "/prefix/system.reg")) {
            ASSERT_EQ(run("env -u DISPLAY wineboot -i >/dev/null 2>&1"), 0);
        }
        // A server left from an earlier run would keep that run's display.
        run("wineserver -k >/dev/null 2>&1");
    }
    // Each test's X server is gone when it ends; so is the prefix's server, by its own command
    // (and by the WineServer.Stops test after them all, should a test be killed on a timeout).
    void TearDown() override { run("wineserver -k >/dev/null 2>&1"); }
};

const auto* const wine_setup = ::testing::AddGlobalTestEnvironment(new WineSetup);

// The screen is larger than the window, so Wine keeps the whole 1280 x 720 client area on it.
class WineWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        program =
            std::make_unique<Program>(x, std::vector<std::string>{"wine", exe}, folder, demo_title);
        ASSERT_TRUE(program->ok()) << "the program's window did not appear";
    }

    void quitWithEscape() {
        program->holdKey("Escape");
        EXPECT_EQ(program->waitExit(10000), 0);
    }

    XServer x{{}, "1600x900x24"};
    std::unique_ptr<Program> program;
};

}  // namespace

TEST_F(WineWindow, ShowsTheLinuxProgramsFirstScreenAndEscapeEndsItWithStatusZero) {
    const xtest::Shot linux_screen = xtest::readPng(GUI_DEMO_DESKTOP_SHOT);
    ASSERT_EQ(linux_screen.width, 1280) << GUI_DEMO_DESKTOP_SHOT;
    const auto points = xtest::firstScreenPoints(GUI_DEMO_FIRST_SCREEN_POINTS);
    ASSERT_GE(points.size(), 10u);
    const xtest::Shot shot = program->grab();
    for (const auto& [x, y] : points) {
        EXPECT_TRUE(near(shot.at(x, y), linux_screen.at(x, y), 3))
            << "(" << x << ", " << y << "): " << shot.at(x, y) << ", on Linux "
            << linux_screen.at(x, y);
    }
    int width = 0, height = 0;
    program->size(width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);
    quitWithEscape();
}

// Each check waits for what it looks for, up to a few seconds: under load, Wine on a software
// renderer may take more than the few frames each event is given.
TEST_F(WineWindow, AHeldClickADragAndTypingAnswerAsOnLinux) {
    Program& p = *program;
    p.click(40, 140);
    p.moveTo(600, 600);
    EXPECT_TRUE(xtest::soon(p, [&] { return p.pixel(45, 146) == accent; }))
        << "the first checkbox is ticked";

    p.moveTo(400, 82);
    p.press();
    p.moveTo(330, 82);
    p.moveTo(262, 82);
    p.release();
    p.moveTo(600, 600);
    EXPECT_TRUE(xtest::soon(p, [&] { return p.pixel(264, 72) == accent; }))
        << "the slider's handle at the left end";

    const int start = xtest::textEnd(p);
    p.click(780, 85);
    p.type("xyz");
    EXPECT_TRUE(xtest::soon(p, [&] { return xtest::textEnd(p) > start + 20; }))
        << "typed text moved the text's end";
    quitWithEscape();
}

TEST_F(WineWindow, QuickClicksAndKeysEachCountInOrderAsOnLinux) {
    EXPECT_EQ(xtest::titleDashProblem(program->grab()), "") << "the em dash is a bar";
    xtest::expectFlicksEndWhereLetGo(*program);
    xtest::expectQuickClicksCount(*program);
    xtest::expectQuickKeysCount(*program);
    quitWithEscape();
}

TEST(WineNoWindow, WithoutADisplayItExitsOne) {
    const xtest::Outcome out = xtest::runToEnd({"wine", exe}, {"DISPLAY"}, 30000);
    EXPECT_EQ(out.status, 1) << out.err;
}

TEST(WineNoWindow, WithoutOpenGLAMessageBoxSaysSoAndDismissingItExitsOne) {
    XServer no_glx({"-extension", "GLX"}, "1600x900x24");
    ASSERT_TRUE(no_glx.ok()) << "Xvfb did not start";
    Program box(no_glx, std::vector<std::string>{"wine", exe}, folder, "Zelkor GUI demo");
    ASSERT_TRUE(box.ok()) << "no message box appeared";
    box.holdKey("Return");
    EXPECT_EQ(box.waitExit(10000), 1);
}

TEST(WindowsZip, HoldsTheProgramRaylibReadmeAndLicencesAndNeedsOnlySystemDlls) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.insert(entry.path().filename().string());
    }
    const std::set<std::string> expected = {"gui_demo.exe",       "libraylib.dll",
                                            "README.txt",         "LICENSE.txt",
                                            "LICENSE-raylib.txt", "LICENSE-GLFW.txt",
                                            "LICENSE-fmt.txt",    "LICENSE-mingw-w64-runtime.txt"};
    EXPECT_EQ(files, expected);

    // Every DLL a fresh Windows 10 has; no MinGW runtime DLL.
    const std::set<std::string> system = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                          "shell32.dll",  "winmm.dll",   "msvcrt.dll",
                                          "opengl32.dll", "advapi32.dll"};
    for (const std::string name : {"gui_demo.exe", "libraylib.dll"}) {
        const std::string dump =
            output("x86_64-w64-mingw32-objdump -p '" + folder + "/" + name + "'");
        std::set<std::string> imports;
        for (std::size_t at = 0; (at = dump.find("DLL Name: ", at)) != std::string::npos;) {
            at += 10;
            std::string dll = dump.substr(at, dump.find('\n', at) - at);
            std::transform(dll.begin(), dll.end(), dll.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            imports.insert(dll);
        }
        EXPECT_FALSE(imports.empty()) << name;
        if (name == "gui_demo.exe") {
            // A GUI program: double-clicked, it opens no console window behind the demo.
            EXPECT_NE(dump.find("(Windows GUI)"), std::string::npos) << "its PE subsystem";
        }
        for (const std::string& dll : imports) {
            const bool allowed =
                system.count(dll) > 0 || (name == "gui_demo.exe" && dll == "libraylib.dll");
            EXPECT_TRUE(allowed) << name << " imports " << dll;
        }
        if (name == "gui_demo.exe") {
            EXPECT_EQ(imports.count("libraylib.dll"), 1u);
        }
    }

    // The footer names the compiler by what it reports of itself ("12-posix": major version 12).
    const std::string version = output("x86_64-w64-mingw32-g++-posix -dumpversion");
    const std::string major = version.substr(0, version.find_first_not_of("0123456789"));
    std::ifstream in(exe, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(bytes.find("| MinGW-w64 GCC " + major + " | Raylib 6.0"), std::string::npos);
}
