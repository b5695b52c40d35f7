// The wide calls, looked up by name in the system's own modules.
#include "player/wide_calls.h"

namespace {

WideCallsFound wide;

template <typename Call>
bool Find(HMODULE module, const char* name, Call& call) {
    call = module ? reinterpret_cast<Call>(GetProcAddress(module, name)) : nullptr;
    return call != nullptr;
}

}  // namespace

const WideCalls& FoundWideCalls() { return wide.calls; }

int FindWideCalls() {
    if (wide.searched) return wide.calls.IsWindowUnicode != nullptr;
    wide.searched = 1;
    HMODULE user = GetModuleHandleA("USER32.DLL");
    HMODULE gdi = GetModuleHandleA("GDI32.DLL");
    WideCalls found = {};
    const bool all = Find(user, "IsWindowUnicode", found.IsWindowUnicode) &&
                     Find(user, "GetWindowLongW", found.GetWindowLongW) &&
                     Find(user, "SetWindowLongW", found.SetWindowLongW) &&
                     Find(user, "CallWindowProcW", found.CallWindowProcW) &&
                     Find(user, "DefWindowProcW", found.DefWindowProcW) &&
                     Find(user, "GetWindowTextW", found.GetWindowTextW) &&
                     Find(user, "DrawTextW", found.DrawTextW) &&
                     Find(gdi, "GetTextExtentPoint32W", found.GetTextExtentPoint32W);
    // Half a set would leave a Unicode window served partly by ANSI calls.
    wide.calls = all ? found : WideCalls{};
    return all ? 1 : 0;
}

int IsUnicodeWindow(HWND window) {
    if (!window || !FindWideCalls()) return 0;
    return wide.calls.IsWindowUnicode(window) ? 1 : 0;
}

#ifdef QLV_WHITEBOX
WideCallsFound& WideCallsForTest() { return wide; }
#endif
