// Once running, the frame loop allocates nothing: every global allocation function is replaced
// here with one that counts, and a few hundred frames of scripted input run through every panel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "fake_raylib.h"
#include "gui_demo/demo.h"
#include "workload.h"

extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);
extern "C" void __libc_free(void*);

namespace {
bool counting = false;
long allocations = 0;

void* count(void* p) {
    if (counting) ++allocations;
    return p;
}
}  // namespace

extern "C" void* malloc(std::size_t n) { return count(__libc_malloc(n)); }
extern "C" void* calloc(std::size_t n, std::size_t size) { return count(__libc_calloc(n, size)); }
extern "C" void* realloc(void* p, std::size_t n) { return count(__libc_realloc(p, n)); }
extern "C" void free(void* p) { __libc_free(p); }

void* operator new(std::size_t n) {
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

TEST(FrameLoop, AllocatesNothingOnceRunning) {
    fake::reset();
    const Theme theme = Theme::defaults();
    gui_demo::DemoState state = gui_demo::initialState();
    gui_demo::LoopClock clock;

    // The counter itself must see an allocation, or the test could not fail.
    counting = true;
    delete new int(1);
    counting = false;
    ASSERT_EQ(allocations, 1);
    allocations = 0;

    // The page describes the screen after every frame, so that is counted too.
    static gui_demo::ScreenDescription description;
    counting = true;
    for (int frame = 0; frame < 2 * workload::cycle; ++frame) {
        fake::clearCalls();
        fake::setInput(workload::script(frame));
        gui_demo::runFrame(state, clock, theme);
        gui_demo::describeScreen(state, clock, description);
    }
    counting = false;
    EXPECT_EQ(allocations, 0);

    // The script did reach every panel.
    EXPECT_GT(state.btn_click_count, 0u);
    EXPECT_NE(state.slider1_val, 0.5f);
    EXPECT_NE(state.scroll_offset, 0.0f);
    EXPECT_NE(std::string(reinterpret_cast<const char*>(state.input_text)), "Zelkor Engine");
}
