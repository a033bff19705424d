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
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "demo_screen.h"
#include "first_screen.h"
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
        // A crash ends the program at once instead of waiting in Wine's debugger; no Mono or
        // Gecko. One variable, so that the second does not undo the first.
        setenv("WINEDLLOVERRIDES", "winedbg.exe=d;mscoree,mshtml=", 1);
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
    const auto points = first_screen::points(GUI_DEMO_TEST_DATA "/first_screen_points.txt");
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

// What the MSAA client (msaa_client.cpp) says, as a screen reader asks the window across
// processes: one line a child, "id|role|state|name|value|default action|x,y,w,h".
std::vector<std::vector<std::string>> msaaChildren(const std::string& reply) {
    std::vector<std::vector<std::string>> children;
    std::size_t start = reply.find('\n');
    while (start != std::string::npos && start + 1 < reply.size()) {
        const std::size_t end = reply.find('\n', start + 1);
        const std::string line = reply.substr(start + 1, end - start - 1);
        std::vector<std::string> fields;
        for (std::size_t from = 0, bar;; from = bar + 1) {
            bar = line.find('|', from);
            fields.push_back(line.substr(from, bar - from));
            if (bar == std::string::npos) break;
        }
        if (fields.size() == 7) children.push_back(fields);
        start = end;
    }
    return children;
}

TEST_F(WineWindow, TabReachesEveryStopAndSpaceTicksAsOnLinux) {
    Program& p = *program;
    p.moveTo(640, 650);  // the keyboard's focus follows the pointer without a window manager
    for (int k = 0; k < xtest::stop_count; ++k) {
        p.holdKey("Tab");
        EXPECT_TRUE(xtest::soon(p, [&] { return xtest::marked(p) == xtest::stops[k].name; }))
            << "Tab " << k + 1 << ": " << xtest::marked(p);
    }
    p.holdKey("Tab");
    p.holdKey("Tab");
    p.holdKey("space");
    EXPECT_TRUE(xtest::soon(p, [&] { return p.pixel(45, 146) == accent; }))
        << "the first checkbox is ticked";
    p.click(640, 650);
    EXPECT_TRUE(xtest::soon(p, [&] { return xtest::marked(p).empty(); })) << "a click hides it";
    quitWithEscape();
}

TEST_F(WineWindow, AScreenReaderReadsAndWorksTheWindowThroughMsaa) {
    // Its lines end as Windows ends them.
    auto ask = [&](const std::string& what) {
        std::string reply =
            output("DISPLAY=" + x.name() + " timeout 60 wine '" GUI_DEMO_MSAA_CLIENT "' " + what);
        std::erase(reply, '\r');
        return reply;
    };
    auto widgets = [&] {
        std::vector<std::vector<std::string>> found;
        // Focusable, but not the animation strip (ROLE_SYSTEM_ANIMATION, 54), which only plays and
        // pauses.
        for (auto& c : msaaChildren(ask("list")))
            if (std::stoul(c[2], nullptr, 16) & 0x100000 && c[1] != "54") found.push_back(c);
        return found;
    };
    // MSAA's role numbers, and the default action of each kind (a check box's says what it does).
    const std::map<std::string, std::string> role = {
        {"button", "43"},    {"check_box", "44"}, {"radio_button", "45"}, {"slider", "51"},
        {"scroll_bar", "3"}, {"drag_box", "43"},  {"text_field", "42"}};
    const std::map<std::string, std::string> action = {
        {"button", "Press"}, {"radio_button", "Select"}, {"slider", ""},
        {"scroll_bar", ""},  {"drag_box", "Press"},      {"text_field", "Click"}};
    const auto expected = first_screen::widgets(GUI_DEMO_TEST_DATA "/first_screen_widgets.tsv");
    const auto found = widgets();
    ASSERT_EQ(found.size(), expected.size()) << "the 13 widgets";
    ASSERT_EQ(expected.size(), 13u);
    for (std::size_t i = 0; i < found.size(); ++i) {
        const first_screen::Widget& e = expected[i];
        const std::string place = std::to_string(program->originX() + e.x) + "," +
                                  std::to_string(program->originY() + e.y) + "," +
                                  std::to_string(e.w) + "," + std::to_string(e.h);
        // Checked 0x10, and selected 0x2 as well for a radio button.
        const unsigned long state = !e.checked ? 0 : e.kind == "radio_button" ? 0x12 : 0x10;
        const bool has_value =
            e.kind == "slider" || e.kind == "scroll_bar" || e.kind == "text_field";
        const std::string default_action = e.kind != "check_box" ? action.at(e.kind)
                                           : e.checked           ? "Uncheck"
                                                                 : "Check";
        EXPECT_EQ(found[i][1], role.at(e.kind)) << e.name;
        EXPECT_EQ(found[i][3], e.name);
        EXPECT_EQ(std::stoul(found[i][2], nullptr, 16), 0x100000 | state) << e.name;
        EXPECT_EQ(found[i][4], has_value ? e.text : "") << e.name;
        EXPECT_EQ(found[i][5], default_action) << e.name;
        EXPECT_EQ(found[i][6], place) << e.name << ": over its drawn rectangle";
    }

    // Hit-testing: the middle of "Click Me", on the screen, is that child.
    EXPECT_EQ(ask("hit " + std::to_string(program->originX() + 120) + " " +
                  std::to_string(program->originY() + 90)),
              found[0][0] + "\n");

    // The default actions and values, as a hand's input: read back in pixels and in the tree.
    const xtest::Shot count = program->grab(30, 112, 100, 18);
    EXPECT_EQ(ask("do 'Click Me'"), "done\n");
    EXPECT_TRUE(xtest::soon(*program, [&] {
        return program->grab(30, 112, 100, 18).pixels != count.pixels;
    })) << "the drawn count changed";
    // A screen reader's hook hears the change, and the focus, on the child that changed: the
    // state of "Projective Geometry", later the value of "Rotation Speed".
    auto event = [](const char* kind, const std::string& id) {
        return std::string("event ") + kind + " child " + id + "\n";
    };
    const std::string ticked = ask("hear do 'Projective Geometry'");
    EXPECT_NE(ticked.find(event("0x800a", found[1][0])), std::string::npos) << ticked;  // STATE
    EXPECT_NE(ticked.find(event("0x8005", found[1][0])), std::string::npos) << ticked;  // FOCUS
    EXPECT_TRUE(xtest::soon(*program, [&] { return program->pixel(45, 146) == accent; }))
        << "ticked";
    ask("do Solid");
    EXPECT_TRUE(xtest::soon(*program, [&] { return program->pixel(41, 316) == accent; }))
        << "selected";
    const std::string set = ask("hear set 'Rotation Speed' 0.9");
    EXPECT_NE(set.find(event("0x800e", found[7][0])), std::string::npos) << set;  // VALUE
    EXPECT_TRUE(xtest::soon(*program, [&] { return program->pixel(440, 72) == accent; })) << "0.90";
    ask("set 'Name:' 'h\u00e9llo " + std::string(100, 'x') + "'");
    auto typed = [&] { return widgets().back()[4].size() == 63; };
    EXPECT_TRUE(xtest::soon(*program, typed, 10000));
    const auto after = widgets();
    ASSERT_EQ(after.size(), std::size(expected));
    EXPECT_EQ(after[1][2], "0x100010") << "Projective Geometry checked";
    EXPECT_EQ(after[5][2], "0x100012") << "Solid selected";
    EXPECT_EQ(after[7][4], "0.90");
    EXPECT_EQ(after[12][4], "hllo " + std::string(58, 'x')) << "cut to 63, non-ASCII dropped";
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

    // Every DLL a fresh Windows 10 has (COM and MSAA's among them, for screen readers); no MinGW
    // runtime DLL.
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",   "gdi32.dll", "shell32.dll",  "winmm.dll", "msvcrt.dll",
        "opengl32.dll", "advapi32.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll"};
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
