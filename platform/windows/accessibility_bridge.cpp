// The Windows accessibility bridge: the window answers WM_GETOBJECT for its client area with an
// IAccessible (MSAA) of its own, whose children are the nodes of the screen's description, the
// way NVDA and JAWS read a window, and Narrator through Windows' MSAA proxy. It subclasses the
// window procedure GLFW gave the window, so calls arrive on the window's own thread while GLFW
// pumps messages between frames; nothing waits. This file's state is the window's: it lives as long
// as the window and is touched only on that thread.
#include <windows.h>
//
#include <oleacc.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "glfw/glfw_window.h"
#include "gui_demo/hand_input.h"
#include "gui_demo/platform.h"
#include "gui_demo/screen_changes.h"
#include "gui_demo/screen_description.h"

namespace gui_demo {

namespace {

// How long after a frame the window answers a screen reader that is asking (see
// serveAccessibility): out of the frame's idle time, only while questions come.
constexpr LONGLONG answering_ms = 4;

struct Bridge {
    HWND window = nullptr;
    WNDPROC glfw_proc =
        nullptr;  // GLFW's window procedure, which ours passes everything else on to
    const DemoState* state = nullptr;
    const LoopClock* clock = nullptr;
    bool described = false;  // a screen reader has asked for the window's contents
    unsigned answered = 0;   // questions a screen reader has asked, counted as they are answered
    ScreenTracker tracker;   // what the children tell, and what changed
    ScreenDescription next;
};

Bridge bridge;

const ScreenDescription& told() { return bridge.tracker.told; }

void describe() {
    bridge.answered += 1;
    if (bridge.described) return;
    bridge.described = true;
    describeScreen(*bridge.state, *bridge.clock, bridge.next);
    startTracking(bridge.tracker, bridge.next, glfw::windowFocused(), runningTime(*bridge.clock));
}

// Child ids are the description's nodes, counted from 1; 0 is the client area itself.
const ScreenNode* nodeOf(const VARIANT& child) {
    bridge.answered += 1;
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > told().count) return nullptr;
    return &told().nodes[child.lVal - 1];
}
bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    BSTR s = SysAllocStringLen(nullptr, n > 0 ? static_cast<UINT>(n - 1) : 0);
    if (s != nullptr && n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, s, n);
    return s;
}

long roleOf(ScreenRole r) {
    switch (r) {
        case ScreenRole::heading:
        case ScreenRole::text:
            return ROLE_SYSTEM_STATICTEXT;
        case ScreenRole::list:
            return ROLE_SYSTEM_LIST;
        case ScreenRole::list_item:
            return ROLE_SYSTEM_LISTITEM;
        case ScreenRole::image:
            return ROLE_SYSTEM_ANIMATION;
        case ScreenRole::button:
        case ScreenRole::drag_box:
            return ROLE_SYSTEM_PUSHBUTTON;
        case ScreenRole::check_box:
            return ROLE_SYSTEM_CHECKBUTTON;
        case ScreenRole::radio_group:
            return ROLE_SYSTEM_GROUPING;
        case ScreenRole::radio_button:
            return ROLE_SYSTEM_RADIOBUTTON;
        case ScreenRole::slider:
            return ROLE_SYSTEM_SLIDER;
        case ScreenRole::scroll_bar:
            return ROLE_SYSTEM_SCROLLBAR;
        case ScreenRole::text_field:
            return ROLE_SYSTEM_TEXT;
    }
    return ROLE_SYSTEM_CLIENT;
}

const char* defaultAction(const ScreenNode& n) {
    switch (n.role) {
        case ScreenRole::button:
        case ScreenRole::drag_box:
            return "Press";
        case ScreenRole::check_box:
            return n.checked ? "Uncheck" : "Check";
        case ScreenRole::radio_button:
            return "Select";
        case ScreenRole::text_field:
            return "Click";
        case ScreenRole::image:
            return "Play or pause";
        default:
            return nullptr;
    }
}

// One change of the list (screen_changes.h), as the WinEvent a screen reader listens for; the
// child id is the node's, counted from 1.
void tell(const ScreenChange& c) {
    const auto event = [&](DWORD kind, int node) {
        NotifyWinEvent(kind, bridge.window, OBJID_CLIENT, node >= 0 ? node + 1 : CHILDID_SELF);
    };
    switch (c.kind) {
        case ScreenChangeKind::window_active:
            // Windows tells the window's own activation; which child has the focus is ours.
            if (c.on && bridge.tracker.focus >= 0) event(EVENT_OBJECT_FOCUS, bridge.tracker.focus);
            break;
        case ScreenChangeKind::focus:
            if (c.node >= 0) event(EVENT_OBJECT_FOCUS, c.node);
            break;
        case ScreenChangeKind::checked:
        case ScreenChangeKind::pressed:
            event(EVENT_OBJECT_STATECHANGE, c.node);
            break;
        case ScreenChangeKind::value:
        case ScreenChangeKind::text_removed:
        case ScreenChangeKind::text_inserted:
            event(EVENT_OBJECT_VALUECHANGE, c.node);
            break;
        case ScreenChangeKind::description:
            event(EVENT_OBJECT_DESCRIPTIONCHANGE, c.node);
            break;
        case ScreenChangeKind::name:
            event(EVENT_OBJECT_NAMECHANGE, c.node);
            break;
        case ScreenChangeKind::bounds:
            event(EVENT_OBJECT_LOCATIONCHANGE, c.node);
            break;
        case ScreenChangeKind::node_added:
            event(EVENT_OBJECT_CREATE, c.node);
            break;
        case ScreenChangeKind::node_removed:
            event(EVENT_OBJECT_DESTROY, c.node);
            break;
    }
}

// The client area's IAccessible. One object lives as long as the program; COM's counts are kept
// but it is never freed.
class Client final : public IAccessible {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override { return count_ > 1 ? --count_ : 1; }

    // IDispatch: screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what each child is.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return AccessibleObjectFromWindow(bridge.window, static_cast<DWORD>(OBJID_WINDOW),
                                          __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        describe();
        *n = told().count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        return nodeOf(child) ? S_FALSE : E_INVALIDARG;  // simple elements, no objects of their own
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        if (isSelf(child)) {  // the window's title
            const int length = GetWindowTextLengthW(bridge.window);
            *name = SysAllocStringLen(nullptr, static_cast<UINT>(length));
            if (*name) GetWindowTextW(bridge.window, *name, length + 1);
            return *name ? S_OK : E_OUTOFMEMORY;
        }
        const ScreenNode* n = nodeOf(child);
        if (!n) return E_INVALIDARG;
        *name = wide(n->role == ScreenRole::text && n->name[0] == '\0' ? n->text : n->name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        *value = nullptr;
        const ScreenNode* n = nodeOf(child);
        if (!n) return isSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        const bool has = n->role == ScreenRole::slider || n->role == ScreenRole::scroll_bar ||
                         n->role == ScreenRole::text_field;
        if (!has) return DISP_E_MEMBERNOTFOUND;
        *value = wide(n->text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* words) override {
        *words = nullptr;
        const ScreenNode* n = nodeOf(child);
        if (!n) return isSelf(child) ? S_FALSE : E_INVALIDARG;
        if (n->role != ScreenRole::button && n->role != ScreenRole::drag_box) return S_FALSE;
        *words = wide(n->text);  // the click count, where the box is
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const ScreenNode* n = nodeOf(child);
        if (!n && !isSelf(child)) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = n ? roleOf(n->role) : ROLE_SYSTEM_CLIENT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const ScreenNode* n = nodeOf(child);
        if (!n && !isSelf(child)) return E_INVALIDARG;
        long s = 0;
        if (n) {
            if (takesFocus(n->role)) s |= STATE_SYSTEM_FOCUSABLE;
            if (n - told().nodes == bridge.tracker.focus) s |= STATE_SYSTEM_FOCUSED;
            if (n->checked) s |= STATE_SYSTEM_CHECKED;
            if (n->checked && n->role == ScreenRole::radio_button) s |= STATE_SYSTEM_SELECTED;
            if (n->carried) s |= STATE_SYSTEM_PRESSED;
            if (!isWidget(n->role)) s |= STATE_SYSTEM_READONLY;
        }
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
        *keys = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = bridge.tracker.focus >= 0 ? VT_I4 : VT_EMPTY;
        focus->lVal = bridge.tracker.focus + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        *action = nullptr;
        const ScreenNode* n = nodeOf(child);
        if (!n) return isSelf(child) ? S_FALSE : E_INVALIDARG;
        const char* words = defaultAction(*n);
        if (!words) return S_FALSE;
        *action = wide(words);
        return S_OK;
    }

    // Where the children are.
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                          VARIANT child) override {
        const ScreenNode* n = nodeOf(child);
        if (!n && !isSelf(child)) return E_INVALIDARG;
        RECT client = {};
        GetClientRect(bridge.window, &client);
        const ScreenRect r = n ? n->rect : ScreenRect{0, 0, client.right, client.bottom};
        POINT origin = {r.x, r.y};
        ClientToScreen(bridge.window, &origin);
        *x = origin.x, *y = origin.y, *w = r.w, *h = r.h;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        describe();
        end->vt = VT_EMPTY;
        long to = 0;
        const long count = told().count;
        if (isSelf(start) && direction == NAVDIR_FIRSTCHILD) to = 1;
        if (isSelf(start) && direction == NAVDIR_LASTCHILD) to = count;
        if (nodeOf(start) && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN))
            to = start.lVal + 1;
        if (nodeOf(start) && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP))
            to = start.lVal - 1;
        if (to < 1 || to > count) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        describe();
        POINT p = {x, y};
        ScreenToClient(bridge.window, &p);
        RECT client = {};
        GetClientRect(bridge.window, &client);
        child->vt = VT_EMPTY;
        if (!PtInRect(&client, p)) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = nodeAt(told(), p.x, p.y) + 1;  // CHILDID_SELF (0) where no child is
        return S_OK;
    }

    // What a screen reader does: a hand's input, through the pacer.
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        const ScreenNode* n = nodeOf(child);
        if (!n) return E_INVALIDARG;
        // Only the focus can be taken: nothing here is selected apart from it.
        if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
        return focusForReader(bridge.tracker, child.lVal - 1) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const ScreenNode* n = nodeOf(child);
        if (!n) return E_INVALIDARG;
        if (!defaultAction(*n)) return DISP_E_MEMBERNOTFOUND;
        // Refused while a hand holds the button down.
        return actForReader(bridge.tracker, child.lVal - 1) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        const ScreenNode* n = nodeOf(child);
        if (!n) return E_INVALIDARG;
        const wchar_t* text = value ? value : L"";
        if (n->role == ScreenRole::slider || n->role == ScreenRole::scroll_bar) {
            // The value as drawn (0.50, or 50% on the scroll bar); what is no number is 0.
            double v = std::wcstod(text, nullptr);
            if (std::wcschr(text, L'%')) v /= 100.0;
            return setValueForReader(bridge.tracker, child.lVal - 1, v) ? S_OK : E_FAIL;
        }
        if (n->role != ScreenRole::text_field) return DISP_E_MEMBERNOTFOUND;
        // In UTF-8, whole however long: the program cuts it to what the field keeps.
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
        return replaceTextForReader(bridge.tracker, child.lVal - 1, utf8.c_str(),
                                    std::strlen(utf8.c_str()))
                   ? S_OK
                   : E_FAIL;
    }

private:
    ULONG count_ = 1;
};

Client client;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_GETOBJECT && static_cast<long>(l) == OBJID_CLIENT) {
        describe();
        return LresultFromObject(__uuidof(IAccessible), w, static_cast<IAccessible*>(&client));
    }
    return CallWindowProcW(bridge.glfw_proc, window, message, w, l);
}

}  // namespace

// Windows screen readers hook the keyboard themselves, before any window sees a key.
bool screenReaderTakesKey(int, int, int, int) { return false; }

void startAccessibility(const DemoState& state, const LoopClock& clock) {
    bridge.state = &state;
    bridge.clock = &clock;
    bridge.window = static_cast<HWND>(glfw::win32Window());
    if (bridge.window == nullptr) return;
    // Calls from a screen reader in another process arrive through COM on this thread.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return;
    bridge.glfw_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bridge.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc)));
}

void serveAccessibility() {
    if (bridge.window == nullptr) return;
    if (bridge.described) {
        describeScreen(*bridge.state, *bridge.clock, bridge.next);
        // The keyboard's focus is the reader's, as it moves.
        if (glfw::keyboardFocus() >= 0) bridge.tracker.asked_focus = glfw::keyboardFocus();
        trackScreen(bridge.tracker, bridge.next, glfw::windowFocused(), runningTime(*bridge.clock));
        for (int k = 0; k < bridge.tracker.count; ++k) tell(bridge.tracker.changes[k]);
    }
    // A screen reader's calls arrive as window messages, one question at a time: GLFW takes them
    // once a frame, so they are taken here too, for a few milliseconds while they come. Anything
    // else that arrives meanwhile is handled as GLFW would, and the frame sees it as it would have;
    // a request to quit is left for GLFW.
    LARGE_INTEGER now, per_second;
    QueryPerformanceFrequency(&per_second);
    QueryPerformanceCounter(&now);
    const LONGLONG until = now.QuadPart + per_second.QuadPart * answering_ms / 1000;
    const unsigned answered = bridge.answered;
    while (QueryPerformanceCounter(&now) && now.QuadPart < until) {
        // A call may come as a message sent from another thread, which PeekMessage answers
        // within itself: so what was asked is told by the count of questions answered.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (bridge.answered == answered) break;  // nobody is asking: back to the frames at once
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

}  // namespace gui_demo
