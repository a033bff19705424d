// A small MSAA client, as a Windows screen reader asks a window what it holds: it finds the demo's
// window, takes its client area's IAccessible across processes, and prints or works its children.
// Built with MinGW-w64 and run under Wine by the Windows tests.
//
//   msaa_client.exe list              one line a child: id, role, state, name, value, place
//   msaa_client.exe do NAME           the default action of the child named NAME
//   msaa_client.exe set NAME VALUE    put_accValue on it (VALUE in UTF-8)
//   msaa_client.exe hit X Y           the child at a screen point
//   msaa_client.exe hear COMMAND ...  one of the above, then for a second and a half the WinEvents
//                                     the window raises, one line each: "event 0x800a child 2"
#include <windows.h>
//
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string utf8(const wchar_t* s) {
    if (s == nullptr) return "";
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<std::size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring wide(const char* s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    std::wstring out(n > 0 ? static_cast<std::size_t>(n - 1) : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s, -1, out.data(), n);
    return out;
}

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A BSTR answer as UTF-8, and freed.
template <typename Get>
std::string text(Get get) {
    BSTR s = nullptr;
    if (FAILED(get(&s)) || s == nullptr) return "";
    std::string out = utf8(s);
    SysFreeString(s);
    return out;
}

long idNamed(IAccessible* acc, const char* name) {
    long count = 0;
    acc->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        if (text([&](BSTR* s) { return acc->get_accName(child(id), s); }) == name) return id;
    }
    return 0;
}

// The events the window raises, as a screen reader's out-of-context hook hears them.
HWND listened = nullptr;
void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (window == listened && object == OBJID_CLIENT)
        std::printf("event %#lx child %ld\n", event, id);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const wchar_t title[] = L"MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)";
    HWND window = nullptr;
    for (int tries = 0; window == nullptr && tries < 100; ++tries) {
        window = FindWindowW(nullptr, title);
        if (window == nullptr) Sleep(100);
    }
    if (window == nullptr) {
        std::puts("no window");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), reinterpret_cast<void**>(&acc)))) {
        std::puts("no IAccessible");
        return 1;
    }
    HWINEVENTHOOK hook = nullptr;
    if (std::strcmp(argv[1], "hear") == 0 && argc > 2) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        listened = window;
        hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, heard, process, 0,
                               WINEVENT_OUTOFCONTEXT);
        argv += 1, argc -= 1;
    }
    const std::string command = argv[1];
    if (command == "list") {
        long count = 0;
        acc->get_accChildCount(&count);
        std::printf("client \"%s\" children %ld\n",
                    text([&](BSTR* s) { return acc->get_accName(child(CHILDID_SELF), s); }).c_str(),
                    count);
        for (long id = 1; id <= count; ++id) {
            VARIANT role, state;
            acc->get_accRole(child(id), &role);
            acc->get_accState(child(id), &state);
            long x = 0, y = 0, w = 0, h = 0;
            acc->accLocation(&x, &y, &w, &h, child(id));
            std::printf(
                "%ld|%ld|%#lx|%s|%s|%s|%ld,%ld,%ld,%ld\n", id, role.lVal, state.lVal,
                text([&](BSTR* s) { return acc->get_accName(child(id), s); }).c_str(),
                text([&](BSTR* s) { return acc->get_accValue(child(id), s); }).c_str(),
                text([&](BSTR* s) { return acc->get_accDefaultAction(child(id), s); }).c_str(), x,
                y, w, h);
        }
    } else if (command == "do" && argc == 3) {
        const long id = idNamed(acc, argv[2]);
        std::puts(id && SUCCEEDED(acc->accDoDefaultAction(child(id))) ? "done" : "failed");
    } else if (command == "set" && argc == 4) {
        const long id = idNamed(acc, argv[2]);
        BSTR value = SysAllocString(wide(argv[3]).c_str());
        std::puts(id && SUCCEEDED(acc->put_accValue(child(id), value)) ? "done" : "failed");
        SysFreeString(value);
    } else if (command == "hit" && argc == 4) {
        VARIANT at;
        VariantInit(&at);
        acc->accHitTest(std::atol(argv[2]), std::atol(argv[3]), &at);
        std::printf("%ld\n", at.vt == VT_I4 ? at.lVal : -1);
    } else {
        return 2;
    }
    if (hook != nullptr) {
        std::fflush(stdout);
        for (const DWORD until = GetTickCount() + 1500; GetTickCount() < until;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        UnhookWinEvent(hook);
    }
    acc->Release();
    CoUninitialize();
    return 0;
}
