#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace ui_test {

namespace {

struct Search {
    HWND owner;
    int marker;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    if (ClassOf(window) == "#32770" && GetWindow(window, GW_OWNER) == s->owner && GetDlgItem(window, s->marker))
        s->found.push_back(window);
    return TRUE;
}

std::vector<HWND> OwnedDialogs(const host::EmulatedHost& host, int markerId) {
    Search search{host.Main(), markerId, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindDialog(const host::EmulatedHost& host, int markerId) {
    const auto found = OwnedDialogs(host, markerId);
    return found.empty() ? nullptr : found.front();
}

int CountDialogs(const host::EmulatedHost& host, int markerId) {
    return static_cast<int>(OwnedDialogs(host, markerId).size());
}

void Click(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void Notify(HWND dialog, int id, int notification) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int listId, int index) {
    SendDlgItemMessageA(dialog, listId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(dialog, listId, CBN_SELENDOK);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::string Text(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::wstring WideText(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool SaveDialogPicture(HWND dialog, const std::string& path) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r = {};
    GetWindowRect(dialog, &r);
    HDC dc = GetWindowDC(dialog);
    const host::Image picture = host::CaptureDC(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ReleaseDC(dialog, dc);
    return picture.width > 0 && picture.SavePng(path);
}

ConfigRun::ConfigRun(const std::string& ini, host::HostOptions options, const std::string& tag)
    : run(std::move(options), tag) {
    if (!ini.empty()) run.scratch.WriteIni(ini);
    const int started = run.Start();
    EXPECT_EQ(started, 0);
    if (started != 0) return;
    run.host->Config();
    run.host->PumpMessages();
    dialog = FindDialog(*run.host, configMarker);
}

}  // namespace ui_test
