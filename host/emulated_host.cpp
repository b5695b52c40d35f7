// The emulated player's windows, requests, caption, drawing, time and modal
// boxes; the demo's skinned painting is in player_scenery.cpp.
#include "emulated_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "import_counter.h"
#include "scoped_gdi.h"
#include "window_paint.h"

namespace host {

namespace {

constexpr char equalizerClass[] = "Winamp EQ";
constexpr char playlistClass[] = "Winamp PE";
constexpr UINT_PTR frameTimerId = 124;
constexpr UINT_PTR titleTimerId = 39;
constexpr UINT titleTimerPeriodMs = 50;
constexpr UINT_PTR statusTimerId = statusTextTimer;
constexpr UINT statusTimerPeriodMs = 1000;
constexpr int statusTimerTicks = 40;   // the same second in 25 ms ticks
constexpr int skinBufferSize = 260;   // IPC_GETSKIN writes into a buffer of this size
constexpr int messageBoxTextId = 0xFFFF;
constexpr int messageBoxIconId = 0x0440;   // stc1, the box's icon static
constexpr DWORD initTimerWaitMs = 1000;
constexpr UINT exitCommand = 40001 + 100;   // the main menu's "E&xit"
constexpr UINT aboutCommand = 40001;        // the first item of the 2.x player's main menu
constexpr UINT modernAboutCommand = 40041;  // and of the 5.x player's

// Request codes (WM_USER with the code in lParam).
enum : LPARAM {
    ipcGetVersion = 0,
    ipcGetOutputTime = 105,
    ipcGetListLength = 124,
    ipcGetListPos = 125,
    ipcGetSkin = 201,
    ipcGetPlaylistTitle = 212,
    ipcGetPlaylistTitleW = 213,
    ipcGetHmenu = 281,
    ipcGetIniDirectory = 335,
    ipcPlayingFile = 3003,     // notifications the player sends itself
    ipcStopPlaying = 3043,
    ipcPlayingFileW = 13003,
};

// Window placement: the three windows never overlap, in any size, so each
// window's pixels read back as its own.
constexpr POINT mainOrigin = {0, 0};
constexpr POINT equalizerOrigin = {0, 240};
constexpr POINT playlistOrigin = {560, 0};

struct MainModeSize {
    MainMode mode;
    int width;
    int height;
};
constexpr MainModeSize mainModeSizes[] = {
    {MainMode::Normal, 275, 116},
    {MainMode::DoubleSize, 550, 232},
    {MainMode::Shaded, 275, 14},
    {MainMode::DoubleShaded, 550, 28},
};

// The host the CBT hook and its deferred answers report to: the newest one
// alive, so a host made inside another's lifetime hands the boxes back when it goes.
std::vector<EmulatedHost*> liveHosts;
EmulatedHost* activeHost = nullptr;

// Top-level windows of one desktop are visible to FindWindowA from every
// process on it, and tests run in parallel under one wineserver: each test
// process gets a desktop of its own so the plug-in finds this process's
// "Winamp EQ" and "Winamp PE" and no other's. Must happen before the thread
// owns any window or hook; later calls keep whatever desktop is in force.
void UsePrivateDesktop() {
    static bool tried = false;
    if (tried) return;
    tried = true;
    char name[64];
    wsprintfA(name, "qlv-host-%lu", GetCurrentProcessId());
    HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop && !SetThreadDesktop(desktop)) CloseDesktop(desktop);
}

// Whether the player's classes are registered now with the wide functions
// (the 5.x player) or the ANSI ones; a process may run hosts of both kinds
// one after the other, so a class of the wrong kind is registered again once
// no window of it is left.
enum class ClassKind { none, ansi, wide };
ClassKind registeredKind = ClassKind::none;

// The player redraws a window whole after every change of size, as these styles do.
template <typename WindowClass, typename Char>
bool RegisterPlayerClass(ATOM(WINAPI* registerClass)(const WindowClass*), const Char* name, WNDPROC proc,
                         HINSTANCE instance) {
    WindowClass wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return registerClass(&wc) != 0;
}

void RegisterHostClasses(std::initializer_list<const char*> names, WNDPROC proc, bool wide) {
    const ClassKind wanted = wide ? ClassKind::wide : ClassKind::ansi;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registeredKind == wanted) return;
    bool registered = true;
    for (const char* name : names) {
        UnregisterClassA(name, instance);   // fails while a window of it lives; the old kind then stays
        wchar_t wideName[64] = L"";
        MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 64);
        const bool made = wide ? RegisterPlayerClass(RegisterClassW, wideName, proc, instance)
                               : RegisterPlayerClass(RegisterClassA, name, proc, instance);
        registered = made && registered;
    }
    if (registered) registeredKind = wanted;
}

std::wstring Widen(const std::string& text) {
    const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(count, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], count);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------
// Modal boxes. A WH_CBT hook sees each #32770 window as it activates and
// queues it; a one-shot thread timer, which the box's own modal loop
// dispatches, then answers it once the box is fully built.
//
// Which #32770 windows are answered: a message box (it carries the static
// 0xFFFF with the text), and any dialog whose owner is not the host's main
// window (the font and colour choosers, which the plug-in opens without an
// owner, or one owned by the plug-in's own dialog). The plug-in's modeless
// dialogs are owned by the main window and are left alone.
// ---------------------------------------------------------------------------

namespace {

std::vector<HWND> pendingModals;
std::set<HWND> answeredModals;
UINT_PTR modalTimer = 0;

void CALLBACK AnswerModalsTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (id == modalTimer) modalTimer = 0;
    std::vector<HWND> boxes;
    boxes.swap(pendingModals);
    for (HWND box : boxes)
        if (activeHost && IsWindow(box)) activeHost->AnswerModal(box);
}

LRESULT CALLBACK ModalCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeHost) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (ClassOf(window) == "#32770" &&
            std::find(pendingModals.begin(), pendingModals.end(), window) == pendingModals.end()) {
            pendingModals.push_back(window);
            if (!modalTimer) modalTimer = SetTimer(nullptr, 0, 1, AnswerModalsTimer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool EmulatedHost::IsModalBox(HWND dialog) const {
    // The plug-in's modeless dialogs come from its own module; their unnamed
    // statics carry the id 0xFFFF too, so that id alone does not make a box.
    const bool pluginsOwn = module_ && reinterpret_cast<HMODULE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)) == module_;
    if (pluginsOwn && GetWindow(dialog, GW_OWNER) == main_) return false;
    if (GetDlgItem(dialog, messageBoxTextId)) return true;
    return GetWindow(dialog, GW_OWNER) != main_;
}

void EmulatedHost::AnswerModal(HWND dialog) {
    for (auto it = answeredModals.begin(); it != answeredModals.end();)
        it = IsWindow(*it) ? std::next(it) : answeredModals.erase(it);
    if (answeredModals.count(dialog) || !IsModalBox(dialog)) return;
    answeredModals.insert(dialog);
    HWND textStatic = GetDlgItem(dialog, messageBoxTextId);
    if (textStatic && GetDlgItem(dialog, IDOK)) {
        RecordedMessageBox box;
        box.caption = TextOf(dialog);
        box.text = TextOf(textStatic);
        box.style = GetWindowLongA(dialog, GWL_STYLE);
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, messageBoxIconId, STM_GETICON, 0, 0));
        box.errorIcon = icon && icon == LoadIcon(nullptr, IDI_HAND);
        messageBoxes.push_back(box);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return;
    }
    ++modalDialogCount;
    if (modalHandler) {
        modalHandler(dialog);
        return;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

// ---------------------------------------------------------------------------

HostOptions ModernPlayer() {
    HostOptions options;
    options.modernPlayer = true;
    options.version = 0x5092;
    options.wideCaptions = true;
    options.firstMenuItem = "About &Winamp...\tCtrl+F1";
    return options;
}

EmulatedHost::EmulatedHost(HostOptions options) : version(options.version), options_(std::move(options)) {
    UsePrivateDesktop();
    const bool modern = options_.modernPlayer;
    RegisterHostClasses({mainWindowClass, equalizerClass, playlistClass}, WindowProc, modern);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // The modern player's equalizer and playlist editor are owned by its main window.
    auto make = [&](const char* cls, POINT at, int w, int h, HWND owner) {
        if (!modern)
            return CreateWindowExA(0, cls, "", WS_POPUP, at.x, at.y, w, h, nullptr, nullptr, instance, this);
        return CreateWindowExW(0, Widen(cls).c_str(), L"", WS_POPUP, at.x, at.y, w, h, owner, nullptr, instance,
                               this);
    };
    main_ = make(mainWindowClass, mainOrigin, 275, 116, nullptr);
    if (modern)
        SetCaptionWide(modernStartupCaption);
    else
        SetCaption("Winamp 2.95");
    if (options_.withEqualizer) equalizer_ = make(equalizerClass, equalizerOrigin, 275, 116, main_);
    if (options_.withPlaylist) playlist_ = make(playlistClass, playlistOrigin, 275, 232, main_);
    for (HWND w : {main_, equalizer_, playlist_})
        if (w) ShowWindow(w, SW_SHOWNOACTIVATE);
    for (HWND w : {main_, equalizer_, playlist_})
        if (w) UpdateWindow(w);

    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING, modern ? modernAboutCommand : aboutCommand, options_.firstMenuItem.c_str());
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, 40029, "Play &file...\tL");
    AppendMenuA(menu_, MF_STRING, 40012, "&Options");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, exitCommand, "E&xit");

    liveHosts.push_back(this);
    activeHost = this;
    modalHook_ = SetWindowsHookExA(WH_CBT, ModalCbtHook, nullptr, GetCurrentThreadId());
    if (options_.liveTimers) SetTimer(main_, titleTimerId, titleTimerPeriodMs, nullptr);
    PumpMessages();
}

EmulatedHost::~EmulatedHost() {
    if (initialised_ && initResult_ == 0 && !quit_) Quit();
    Unload();
    if (modalHook_) UnhookWindowsHookEx(modalHook_);
    liveHosts.erase(std::remove(liveHosts.begin(), liveHosts.end(), this), liveHosts.end());
    activeHost = liveHosts.empty() ? nullptr : liveHosts.back();
    if (!activeHost) {
        pendingModals.clear();
        if (modalTimer) KillTimer(nullptr, modalTimer);
        modalTimer = 0;
    }
    if (options_.liveTimers) KillTimer(main_, titleTimerId);
    // A plug-in may leave its procedures on the windows; its code is gone by
    // now, so the windows get their own procedure back before they are destroyed.
    for (HWND w : {playlist_, equalizer_, main_}) {
        if (!w) continue;
        if (options_.modernPlayer)
            SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
        else
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
        DestroyWindow(w);
    }
    if (menu_) DestroyMenu(menu_);
    ForgetFaces();
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    }
}

// --- the plug-in -------------------------------------------------------------

bool EmulatedHost::Load(const std::string& dllPath) {
    if (module_) return false;
    module_ = LoadLibraryA(dllPath.c_str());
    if (!module_) return false;
    using GetHeader = PluginHeaderView* (*)();
    auto entry = reinterpret_cast<GetHeader>(GetProcAddress(module_, "winampGetGeneralPurposePlugin"));
    header_ = entry ? entry() : nullptr;
    if (!header_) {
        FreeLibrary(module_);
        module_ = nullptr;
        return false;
    }
    header_->hwndParent = main_;
    header_->hDllInstance = module_;
    // A host may load the plug-in again after unloading it: a new start.
    initialised_ = false;
    quit_ = false;
    initResult_ = -1;
    return true;
}

int EmulatedHost::Init() {
    if (!header_ || initialised_) return -1;
    initialised_ = true;
    initResult_ = header_->init();
    if (initResult_ == 0) {
        const DWORD start = GetTickCount();
        while (!frameTimerProc_ && GetTickCount() - start < initTimerWaitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            PumpMessages();
        }
    }
    return initResult_;
}

void EmulatedHost::Config() {
    if (header_) header_->config();
}

void EmulatedHost::Quit() {
    if (!header_ || quit_) return;
    quit_ = true;
    header_->quit();
}

void EmulatedHost::Unload() {
    if (!module_) return;
    if (CountedModule() == module_) DetachImportCounter();
    PumpMessages();
    FreeLibrary(module_);
    module_ = nullptr;
    header_ = nullptr;
    frameTimerProc_ = nullptr;
}

void EmulatedHost::ForgetLogs() {
    requestLog.clear();
    hostPaints.clear();
    hostCommands.clear();
    messageBoxes.clear();
}

// --- the windows ---------------------------------------------------------------

void EmulatedHost::SetMainMode(MainMode mode) {
    if (mode == MainMode::Minimised) {
        if (!IsIconic(main_)) ShowWindow(main_, SW_MINIMIZE);
        mode_ = mode;
        return;
    }
    if (IsIconic(main_)) ShowWindow(main_, SW_RESTORE);
    for (const auto& size : mainModeSizes) {
        if (size.mode != mode) continue;
        SetWindowPos(main_, nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    mode_ = mode;
}

void EmulatedHost::SetEqualizerDoubleSize(bool doubled) {
    if (!equalizer_) return;
    SetWindowPos(equalizer_, nullptr, 0, 0, doubled ? 550 : 275, doubled ? 232 : 116,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EmulatedHost::SetPlaylistSize(int width, int height) {
    if (!playlist_) return;
    SetWindowPos(playlist_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EmulatedHost::SetSong(const std::string& song, PlayState state) {
    if (options_.modernPlayer) {
        SetSongWide(Widen(song), state);
        return;
    }
    std::string caption = song + " - Winamp";
    if (state == PlayState::Paused) caption += " [Paused]";
    if (state == PlayState::Stopped) caption += " [Stopped]";
    SetCaption(caption);
}

void EmulatedHost::SetSongWide(const std::wstring& song, PlayState state) {
    std::wstring caption = song + L" - Winamp";
    if (options_.modernPlayer) caption = std::to_wstring(playlistPosition + 1) + L". " + caption;
    const std::wstring paused = options_.modernPlayer ? options_.pausedWord : L"Paused";
    const std::wstring stopped = options_.modernPlayer ? options_.stoppedWord : L"Stopped";
    if (state == PlayState::Paused) caption += L" [" + paused + L"]";
    if (state == PlayState::Stopped) caption += L" [" + stopped + L"]";
    SetCaptionWide(caption);
}

void EmulatedHost::SetCaption(const std::string& caption) {
    if (!options_.wideCaptions && !options_.modernPlayer) {
        ansiCaption_ = caption;
        SetWindowTextA(main_, caption.c_str());
        return;
    }
    SetCaptionWide(Widen(caption));
}

// The modern player keeps its caption in its own buffer, which already holds
// the new text while WM_SETTEXT is on its way.
void EmulatedHost::SetCaptionWide(const std::wstring& caption) {
    if (options_.modernPlayer) caption_ = caption;
    SetWindowTextW(main_, caption.c_str());
}

// From the player's own copy: reading the window's text back would send a
// message through every procedure in front of the host's.
void EmulatedHost::RepeatCaption() {
    if (options_.modernPlayer) {
        const std::wstring again = caption_;
        SetCaptionWide(again);
        return;
    }
    SetWindowTextA(main_, options_.wideCaptions ? Caption().c_str() : ansiCaption_.c_str());
}

std::string EmulatedHost::Caption() const {
    return TextOf(main_);
}

std::wstring EmulatedHost::StoredCaption() const {
    wchar_t text[1024] = L"";
    DefWindowProcW(main_, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

void EmulatedHost::SwitchSkin(const std::string& folder) {
    skinFolder = folder;
    RepaintWhole();
    if (!options_.skinnedFace) return;
    for (HWND w : {equalizer_, playlist_})
        if (w) InvalidateRect(w, nullptr, FALSE);
}

void EmulatedHost::RepaintWhole() {
    InvalidateRect(main_, nullptr, FALSE);
    UpdateWindow(main_);
}

void EmulatedHost::RepaintRect(const RECT& area) {
    InvalidateRect(main_, &area, FALSE);
    UpdateWindow(main_);
}

// --- input ---------------------------------------------------------------------

void EmulatedHost::PressMain(int x, int y) {
    SendMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
void EmulatedHost::ReleaseMain(int x, int y) {
    SendMessageA(main_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
void EmulatedHost::MoveMain(int x, int y, bool leftHeld) {
    SendMessageA(main_, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}
void EmulatedHost::PressEqualizer(int x, int y) {
    if (equalizer_) SendMessageA(equalizer_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
void EmulatedHost::ReleaseEqualizer(int x, int y) {
    if (equalizer_) SendMessageA(equalizer_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
// As TrackPopupMenu does: the menu as a whole, then the popup about to show.
void EmulatedHost::OpenMainMenu() {
    SendMessageA(main_, WM_INITMENU, reinterpret_cast<WPARAM>(menu_), 0);
    if (options_.modernPlayer) SendMessageA(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu_), 0);
}
void EmulatedHost::SendCommand(int id) {
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
void EmulatedHost::TurnWheel(int notches, bool onEqualizer) {
    const HWND window = onEqualizer ? equalizer_ : main_;
    if (window) SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), MAKELPARAM(150, 60));
}

// --- time ----------------------------------------------------------------------

void EmulatedHost::Tick(int count) {
    // Under Wine a timer's lParam is a procedure handle, not an address:
    // CallWindowProcA resolves it. Calling it here, not through
    // DispatchMessage, lets a crash in the plug-in's tick reach the test.
    // The host's own timer 40 runs on the same clock, before the tick, and
    // reaches its window as the system delivers it: through every procedure
    // in front of the host's.
    for (int i = 0; i < count; ++i) {
        if (statusTicksLeft_ > 0 && --statusTicksLeft_ == 0) SendMessageA(main_, WM_TIMER, statusTimerId, 0);
        if (!frameTimerProc_) continue;
        EnterFrameTick();
        CallWindowProcA(frameTimerProc_, main_, WM_TIMER, frameTimerId, GetTickCount());
        LeaveFrameTick();
    }
}

void EmulatedHost::PumpMessages() {
    MSG msg;
    // Bounded, so a window that never validates itself cannot hold the test here.
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) continue;
        if (msg.message == WM_TIMER && msg.hwnd == main_ && msg.wParam == frameTimerId && msg.lParam) {
            if (!frameTimerProc_ && module_) frameTimerProc_ = reinterpret_cast<WNDPROC>(msg.lParam);
            ++realFrameTimers;
            // Tests drive the ticks themselves, so the count stays exactly theirs.
            if (!options_.liveTimers) continue;
            EnterFrameTick();
            DispatchMessageA(&msg);
            LeaveFrameTick();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void EmulatedHost::PumpFor(int milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(std::max(milliseconds, 0))) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds) - elapsed, QS_ALLINPUT);
    }
}

LRESULT EmulatedHost::SendHostTimer() {
    return SendMessageA(main_, WM_TIMER, titleTimerId, 0);
}

// --- pictures ------------------------------------------------------------------

Image EmulatedHost::CaptureMain() const {
    return CaptureWindow(main_);
}

Image EmulatedHost::CapturePlaylist() const {
    return CaptureWindow(playlist_);
}

Image EmulatedHost::CaptureWindow(HWND window) {
    if (!window) return {};
    const SIZE size = WindowSize(window);
    return CaptureDC(ScopedWindowDC(window), 0, 0, size.cx, size.cy);
}

// --- the host's own window procedure --------------------------------------------

LRESULT CALLBACK EmulatedHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<EmulatedHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        if (IsWindowUnicode(window)) return DefWindowProcW(window, message, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->Handle(window, message, wParam, lParam);
}

// The procedure was registered wide for the modern player, so its messages
// arrive wide whatever procedure sits in front of it.
LRESULT EmulatedHost::Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (options_.modernPlayer) return DefWindowProcW(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT EmulatedHost::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ShowsStatusText(window, message, wParam) && message != WM_COMMAND) return 0;
    switch (message) {
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;   // WM_PAINT covers the whole window
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    if (window == playlist_ && message == WM_LBUTTONDBLCLK) {
        PlayCurrent();
        return 0;
    }
    if (window == playlist_ && message == WM_NCACTIVATE) DrawWindow(playlist_, ScopedWindowDC(playlist_));
    if (window == equalizer_ && message == WM_LBUTTONUP) DrawHostTitle(ScopedWindowDC(main_));
    if (window != main_) return Default(window, message, wParam, lParam);
    if (options_.modernPlayer && message == WM_GETTEXT) {
        // Answered from the player's own buffer, not from the window's stored text.
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        if (!buffer || wParam == 0) return 0;
        const size_t n = std::min(caption_.size(), static_cast<size_t>(wParam) - 1);
        std::memcpy(buffer, caption_.data(), n * sizeof(wchar_t));
        buffer[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    if (options_.modernPlayer && message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(caption_.size());
    switch (message) {
    case WM_USER:
        return AnswerRequest(wParam, lParam);
    case WM_TIMER:
        if (wParam == titleTimerId) {
            ++hostTimerCount;
            DrawHostTitle(ScopedWindowDC(main_));
            return 0;
        }
        if (wParam == titleUpdateTimer || wParam == titleRedrawTimer) {
            UpdateTitle();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        DrawHostTitle(ScopedWindowDC(main_));   // the title drawn back over a slider's value
        return 0;
    case WM_INITMENU:
        ++hostInitMenuCount;
        return 0;
    case WM_INITMENUPOPUP:
        // The 5.x player writes its About item afresh each time its menu opens.
        if (options_.modernPlayer && reinterpret_cast<HMENU>(wParam) == menu_) {
            ModifyMenuA(menu_, 0, MF_BYPOSITION | MF_STRING, modernAboutCommand, options_.firstMenuItem.c_str());
            ++hostMenuRewrites;
            return 0;
        }
        break;
    case WM_COMMAND:
        hostCommands.push_back(LOWORD(wParam));
        if (options_.rightClickMenu && LOWORD(wParam) == exitCommand) closeRequested = true;
        if (LOWORD(wParam) == playCommand) PlayCurrent();
        if (LOWORD(wParam) == stopCommand) StopPlaying();
        return 0;
    case WM_RBUTTONUP:
        if (options_.rightClickMenu) {
            OpenPopupMenu(lParam);
            return 0;
        }
        break;
    case WM_CLOSE:
        closeRequested = true;
        return 0;
    default:
        break;
    }
    return Default(window, message, wParam, lParam);
}

LRESULT EmulatedHost::AnswerRequest(WPARAM wParam, LPARAM code) {
    requestLog.push_back(code);
    if (beforeAnswer) {
        const auto hook = beforeAnswer;   // the hook may replace itself
        hook(code);
    }
    switch (code) {
    case ipcGetVersion:
        return version;
    case ipcGetOutputTime:
        return wParam == 1 ? trackLengthSeconds : 0;
    case ipcGetListLength:
        return static_cast<LRESULT>(playlist.size());
    case ipcGetListPos:
        return playlistPosition;
    case ipcGetSkin: {
        char* buffer = reinterpret_cast<char*>(wParam);
        if (buffer) {
            const size_t n = std::min(skinFolder.size(), static_cast<size_t>(skinBufferSize - 1));
            std::memcpy(buffer, skinFolder.data(), n);
            buffer[n] = '\0';
        }
        return static_cast<LRESULT>(wParam);
    }
    case ipcGetPlaylistTitle:
        return AnswerPlaylistTitle(wParam, false);
    case ipcGetPlaylistTitleW:
        if (options_.modernPlayer) return AnswerPlaylistTitle(wParam, true);
        return 0;
    case ipcGetHmenu:
        // Other values name other menus; this host has only the main one.
        if (options_.modernPlayer) return wParam == 0 ? reinterpret_cast<LRESULT>(menu_) : 0;
        return 0;
    case ipcGetIniDirectory:
        if (options_.modernPlayer) return reinterpret_cast<LRESULT>(settingsFolder.c_str());
        return 0;
    default:
        // The modern player answers 1 to what it does not know.
        return options_.modernPlayer ? 1 : 0;
    }
}

LRESULT EmulatedHost::AnswerPlaylistTitle(WPARAM wParam, bool wide) {
    // The index arrives as an unsigned wParam; anything past the end is out of range.
    const size_t index = static_cast<size_t>(wParam);
    if (index >= playlist.size() || playlist[index].nullTitle) return 0;
    const PlaylistEntry& entry = playlist[index];
    if (!options_.modernPlayer) return reinterpret_cast<LRESULT>(entry.title.c_str());
    // Both requests write into one buffer: a caller that keeps the pointer
    // sees the next request's answer there.
    const std::wstring title = entry.wideTitle.empty() ? Widen(entry.title) : entry.wideTitle;
    constexpr size_t capacity = sizeof titleBuffer_ / sizeof titleBuffer_[0];
    if (wide) {
        const size_t n = std::min(title.size(), capacity - 1);
        std::memcpy(titleBuffer_, title.data(), n * sizeof(wchar_t));
        titleBuffer_[n] = L'\0';
    } else {
        char* bytes = reinterpret_cast<char*>(titleBuffer_);
        const int n = WideCharToMultiByte(CP_ACP, 0, title.c_str(), -1, bytes, static_cast<int>(sizeof titleBuffer_),
                                          nullptr, nullptr);
        bytes[n > 0 ? n - 1 : 0] = '\0';
    }
    return reinterpret_cast<LRESULT>(titleBuffer_);
}

void EmulatedHost::PaintWindow(HWND window) {
    RECT update = {};
    GetUpdateRect(window, &update, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (window == main_) hostPaints.push_back(update);
    DrawWindow(window, dc);
    EndPaint(window, &ps);
}

void EmulatedHost::DrawWindow(HWND window, HDC dc) {
    RECT whole = {};
    GetClientRect(window, &whole);
    const bool skinned = options_.skinnedFace &&
                         (window == playlist_ ? PaintPlaylist(dc, whole) : PaintFace(window, dc, whole));
    if (!skinned) FillArea(dc, whole, hostFaceColour);
    if (window == main_) {
        DrawHostTitle(dc);
    } else if (window == playlist_ && !skinned) {
        const RECT line = {2, 2, whole.right - 30, 12};
        if (line.right > line.left) FillArea(dc, line, hostPlaylistColour);
    }
}

// The entry at playlistPosition, in its wide form when it has one.
void EmulatedHost::ShowCurrentSong(PlayState state) {
    if (playlistPosition < 0 || static_cast<size_t>(playlistPosition) >= playlist.size()) return;
    const PlaylistEntry& entry = playlist[static_cast<size_t>(playlistPosition)];
    if (entry.wideTitle.empty())
        SetSong(entry.title, state);
    else
        SetSongWide(entry.wideTitle, state);
}

// The player's notifications reach its main window through every procedure
// in front of its own, nested in the message that started the play.
void EmulatedHost::PlayCurrent() {
    ShowCurrentSong(PlayState::Playing);
    DrawHostTitle(ScopedWindowDC(main_));
    SendMessageA(main_, WM_USER, 0, ipcPlayingFile);
    if (options_.modernPlayer) SendMessageA(main_, WM_USER, 0, ipcPlayingFileW);
}

void EmulatedHost::StopPlaying() {
    ShowCurrentSong(PlayState::Stopped);
    DrawWindow(main_, ScopedWindowDC(main_));
    SendMessageA(main_, WM_USER, 0, ipcStopPlaying);
}

void EmulatedHost::UpdateTitle() {
    DrawHostTitle(ScopedWindowDC(main_));
    ShowCurrentSong(PlayState::Playing);
}

RECT EmulatedHost::HostTitleArea() const {
    const bool doubled = WindowSize(main_).cx > 275;
    return doubled ? RECT{224, 48, 530, 106} : RECT{112, 24, 265, 53};
}

RECT EmulatedHost::TrueTypeTitleArea() const {
    const bool doubled = WindowSize(main_).cx > 275;
    return doubled ? RECT{222, 46, 532, 74} : RECT{111, 23, 266, 37};
}

void EmulatedHost::DrawHostTitle(HDC dc) {
    const bool trueType = options_.modernPlayer && options_.trueTypeTitle;
    const RECT area = trueType ? TrueTypeTitleArea() : HostTitleArea();
    if (!options_.skinnedFace || !DrawSkinnedTitle(dc, area))
        FillArea(dc, area, trueType ? hostTrueTypeTitleColour : hostTitleColour);
}

// What the player answers in its title area to the wheel (on the main window
// or the equalizer), its keys and remote commands, and its timer 40 that
// ends a status text. True when the message was the status text's alone.
bool EmulatedHost::ShowsStatusText(HWND window, UINT message, WPARAM wParam) {
    if (message == WM_TIMER && window == main_ && wParam == statusTimerId) {
        KillTimer(main_, statusTimerId);
        StatusTimerFired();
        return true;
    }
    const bool wheel = message == WM_MOUSEWHEEL && window && (window == main_ || window == equalizer_);
    const int command = message == WM_COMMAND && window == main_ ? LOWORD(wParam) : 0;
    auto minutes = [](int seconds) {
        char text[16];
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
        return std::string(text);
    };
    auto onOff = [](bool on) { return std::string(on ? "ON" : "OFF"); };
    if (wheel || command == volumeUpCommand || command == volumeDownCommand) {
        const bool up = wheel ? GET_WHEEL_DELTA_WPARAM(wParam) > 0 : command == volumeUpCommand;
        volumePercent = std::clamp(volumePercent + (up ? 2 : -2), 0, 100);
        ShowStatusText("VOLUME: " + std::to_string(volumePercent) + "%");
    } else if (command == forwardCommand || command == backCommand) {
        positionSeconds_ = std::clamp(positionSeconds_ + (command == forwardCommand ? 5 : -5), 0,
                                      std::max(trackLengthSeconds, 0));
        ShowStatusText("SEEK TO: " + minutes(positionSeconds_) + "/" + minutes(std::max(trackLengthSeconds, 0)));
    } else if (command == repeatCommand) {
        repeat_ = !repeat_;
        ShowStatusText("REPEAT: " + onOff(repeat_));
    } else if (command == shuffleCommand) {
        shuffle_ = !shuffle_;
        ShowStatusText("SHUFFLE: " + onOff(shuffle_));
    } else {
        return false;
    }
    return true;
}

// Drawn straight into the window, outside WM_PAINT, as the player does.
void EmulatedHost::ShowStatusText(const std::string& text) {
    lastStatusText = text;
    const ScopedWindowDC dc(main_);
    const RECT area = HostTitleArea();
    if (!options_.skinnedFace || !DrawSkinnedText(dc, area, text, hostStatusColour))
        FillArea(dc, area, hostStatusColour);
    if (options_.liveTimers)
        SetTimer(main_, statusTimerId, statusTimerPeriodMs, nullptr);
    else
        statusTicksLeft_ = statusTimerTicks;
}

// The title drawn back first, then the caption set again, as the player does.
void EmulatedHost::StatusTimerFired() {
    statusTicksLeft_ = 0;
    DrawHostTitle(ScopedWindowDC(main_));
    if (captionAfterStatus) RepeatCaption();
}

void EmulatedHost::OpenPopupMenu(LPARAM clientPoint) {
    POINT at = {static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(main_, &at);
    // The menu closes properly only when its owner is the foreground window.
    SetForegroundWindow(main_);
    // The tracking sends WM_INITMENU and posts the chosen WM_COMMAND to the main
    // window, through whatever procedures the plug-in put in front of the host's.
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, main_, nullptr);
    PostMessageA(main_, WM_NULL, 0, 0);
}

}  // namespace host
