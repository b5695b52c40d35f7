// The plug-in's procedures in front of the host's three windows.
#include "plugin/subclass.h"

#include <array>

#include "surfaces/skin_pictures.h"
#include "title/skin_change.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "player/host_contract.h"
#include "player/wide_calls.h"
#include "player/window_modes.h"
#include "playlist/playlist_line.h"
#include "plugin/caption_seen.h"
#include "plugin/frame_clock.h"
#include "plugin/module_life.h"
#include "plugin/title_area.h"
#include "settings/skin_overrides.h"
#include "ui/menu_entries.h"

namespace {

Subclassing subclassing;

// A Unicode window stays Unicode only when its procedure is taken and set
// with the wide calls: the ANSI ones turn it into an ANSI window, and every
// caption the player sets with the wide call then loses what the ANSI code
// page cannot hold. Messages are passed on with the matching call.
WNDPROC CurrentProcedure(HWND window, int wide) {
    if (wide) return reinterpret_cast<WNDPROC>(FoundWideCalls().GetWindowLongW(window, GWL_WNDPROC));
    return reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC));
}

void SetProcedure(HWND window, WNDPROC procedure, int wide) {
    if (wide)
        FoundWideCalls().SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG>(procedure));
    else
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(procedure));
}

SubclassLink* FindLink(WNDPROC procedure, HWND window) {
    for (SubclassLink& link : subclassing.lasting.links)
        if (link.window && link.window == window && link.procedure == procedure) return &link;
    return nullptr;
}

// A link whose window has gone frees its place.
SubclassLink* FreeLink() {
    for (SubclassLink& link : subclassing.lasting.links) {
        if (link.window && IsWindow(link.window)) continue;
        link = SubclassLink{nullptr, nullptr, nullptr, 0};
        return &link;
    }
    return nullptr;
}

// A link an earlier quit left in this window is still in its chain, handing
// messages on to the host's procedure: it is taken up again. A second link
// would hand every message from our new procedure through the other module's
// to our old one, which is the same code, and back again without end.
void Subclass(HWND window, WNDPROC procedure) {
    if (!window || FindLink(procedure, window)) return;
    SubclassLink* link = FreeLink();
    if (!link) return;
    link->window = window;
    link->procedure = procedure;
    link->wide = IsUnicodeWindow(window);
    link->previous = CurrentProcedure(window, link->wide);
    SetProcedure(window, procedure, link->wide);
}

// Another module may have subclassed the window on top of ours; taking ours
// out from under it would cut it off, so ours then stays and passes on. The
// module is then pinned: the host frees it after quit, and the window would
// otherwise go on calling a procedure whose code is gone.
void Restore(HWND window, WNDPROC procedure) {
    SubclassLink* link = FindLink(procedure, window);
    if (!link) return;
    if (!link->previous || !IsWindow(window)) {
        *link = SubclassLink{nullptr, nullptr, nullptr, 0};
        return;
    }
    if (CurrentProcedure(window, link->wide) == procedure) {
        SetProcedure(window, link->previous, link->wide);
        *link = SubclassLink{nullptr, nullptr, nullptr, 0};
        return;
    }
    KeepModuleLoaded();
}

// The player sets its caption again, unchanged, after every status text and
// twice at each track start: that is told from the message's own text,
// before anything is asked. A new caption is read once the host's procedure
// has taken it (reading it earlier, as a hook would, gives the previous
// one); the same one again only while the track's length is still unknown,
// which the player may know by now. A new title is shown in this very
// message; the caption set again after the player's drawing comes inside
// its timers, after which the frame is presented anyway.
void OnCaptionSet(int setAgain) {
    EndStatusText();
    if (setAgain && !TrackLengthPending()) return;
    if (!ReadCaption()) return;   // the same title: nothing to draw anew
    ComposeTitleNow();
    PresentTitleNow();
    if (PlaylistLineActive()) DrawPlaylistLine();
}

// The player's keys and remote commands that show a status text in its
// title area: volume up and down, forward and back 5 seconds, repeat, shuffle.
constexpr WORD statusTextCommands[] = {40058, 40059, 40060, 40061, 40022, 40023};

void OnMainCommand(WORD command) {
    HandleMenuCommand(command);
    for (WORD shown : statusTextCommands)
        if (command == shown) YieldToStatusText();
}

// The player draws its title straight onto the screen, inside whichever of
// its main window's messages starts the change, and copies only what it
// drew last back in WM_PAINT: our frame is laid over it again before such
// a message returns, so the player's title never stands until the next tick.
// Play and stop reach the main window as these notifications, whichever
// window or program started them: a file playing (3003, and its wide twin
// 13003 from the 5.x player), playing stopped (3043); they come nested in
// the message that started them, after the player's drawing.
constexpr LPARAM titleDrawnNotifications[] = {3003, 13003, 3043};
// Its timers that draw the title: a pending title update (38, and 42 sent
// by its other code) and the title back after a status text (40).
constexpr WPARAM titleDrawingTimers[] = {38, 40, 42};

template <typename Value, size_t count>
bool OneOf(const Value (&values)[count], Value value) {
    for (Value v : values)
        if (v == value) return true;
    return false;
}

// Mouse moves, hit tests and the other frequent messages draw nothing of
// the title and are left to the ticks.
bool PlayerMayHaveDrawnTitle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:          // its copy of the last title it drew
    case WM_COMMAND:        // transport, shuffle, repeat, remote commands
    case WM_SYSCOMMAND:
    case WM_LBUTTONUP:      // a press on the title or a slider released: the title drawn back
    case WM_SIZE:           // a restore
    case WM_DISPLAYCHANGE:
        return true;
    case WM_TIMER: return OneOf(titleDrawingTimers, wParam);
    case WM_USER: return OneOf(titleDrawnNotifications, lParam);
    default: return false;
    }
}

// Each window's messages go on to the procedure that window had before ours;
// one with none kept falls back to the default.
LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SubclassLink* link = FindLink(procedure, window);
    if (link && link->wide) {
        if (!link->previous) return FoundWideCalls().DefWindowProcW(window, message, wParam, lParam);
        return FoundWideCalls().CallWindowProcW(link->previous, window, message, wParam, lParam);
    }
    if (!link || !link->previous) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(link->previous, window, message, wParam, lParam);
}

constexpr RECT Doubled(const RECT& r) {
    return RECT{r.left * 2, r.top * 2, r.right * 2, r.bottom * 2};
}

template <size_t count>
constexpr std::array<RECT, count> DoubledRows(const std::array<RECT, count>& rows) {
    std::array<RECT, count> doubled{};
    for (size_t i = 0; i < count; ++i) doubled[i] = Doubled(rows[i]);
    return doubled;
}

// Host controls of the main window that write into the title area.
constexpr std::array<RECT, 5> mainPressRectsNormal = {{
    {112, 24, 264, 35},   // song title display
    {11, 24, 20, 63},     // clutter bar (also on moves with the button held)
    {16, 72, 263, 81},    // position bar
    {177, 57, 214, 69},   // balance slider
    {107, 57, 174, 68},   // volume slider
}};
constexpr std::array<RECT, 5> mainPressRects[2] = {mainPressRectsNormal, DoubledRows(mainPressRectsNormal)};
constexpr int clutterBarRow = 1;

// The equalizer's sliders, which show their value in the main window's title area.
// (Each double-size row is the normal row times two, as the host draws it.)
constexpr std::array<RECT, 11> eqPressRectsNormal = {{
    {21, 39, 33, 98},     // preamp
    {78, 39, 90, 98},  {96, 39, 108, 98},  {114, 39, 126, 98}, {132, 39, 144, 98}, {150, 39, 162, 98},
    {168, 39, 180, 98}, {186, 39, 198, 98}, {204, 39, 216, 98}, {222, 39, 234, 98}, {240, 39, 252, 98},
}};
constexpr std::array<RECT, 11> eqPressRects[2] = {eqPressRectsNormal, DoubledRows(eqPressRectsNormal)};
static_assert(mainPressRects[1][0].right == 528 && eqPressRects[1][10].left == 480, "double-size rows");

// The whole main window by doubleSize and mainShaded: a paint of exactly this
// is the host's repaint after a skin change.
constexpr RECT wholeMainWindow[2][2] = {
    {{0, 0, 275, 116}, {0, 0, 275, 14}},
    {{0, 0, 550, 232}, {0, 0, 550, 28}},
};

// Both halves are unsigned 16-bit numbers; a drag left of the window gives a large x.
POINT MousePosition(LPARAM lParam) {
    return POINT{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

template <size_t count>
void YieldOnPress(const std::array<RECT, count>& rows, POINT at, int doubled) {
    for (const RECT& row : rows)
        if (PtInRect(&row, at)) YieldTitleArea(doubled);
}

// A skin change repaints the whole window; the assets are loaded before the
// host paints so its first frame already uses them. The playlist line takes
// the new skin's colours from the same folder.
void OnMainPaint(HWND window) {
    RECT update = {0, 0, 0, 0};
    GetUpdateRect(window, &update, FALSE);
    if (!SameRect(update, wholeMainWindow[IsDoubleSize() ? 1 : 0][IsMainShaded() ? 1 : 0])) return;
    LoadSkinAssets();
    LoadPlaylistSkin(SkinFolder());
    ComposeTitleNow();
}

// The host redraws its own title on this timer; while ours is shown that
// would only flicker under the next frame.
bool SwallowsHostTimer(WPARAM timerId) {
    return timerId == hostTitleTimerId && EffectiveSettings().Enabled;
}

// Dragging across the clutter bar shows each option's name in the title area.
void OnMainMouseMove(WPARAM keys, LPARAM lParam) {
    if (!(keys & MK_LBUTTON)) return;
    const int doubled = IsDoubleSize() ? 1 : 0;
    if (PtInRect(&mainPressRects[doubled][clutterBarRow], MousePosition(lParam))) YieldTitleArea(doubled);
}

void OnMainPress(LPARAM lParam) {
    const int doubled = IsDoubleSize() ? 1 : 0;
    YieldOnPress(mainPressRects[doubled], MousePosition(lParam), doubled);
}

// The equalizer's own size decides both its rows and the rectangle yielded.
void OnEqPress(LPARAM lParam) {
    const int doubled = IsEqDoubleSize() ? 1 : 0;
    YieldOnPress(eqPressRects[doubled], MousePosition(lParam), doubled);
}

void OnButtonReleased() {
    ReclaimTitleArea();
}

// A resize or a change of mode: the probes measure the window's new size
// (it has taken it when the message comes), and the text is drawn again in
// the font of that size. Seen here, before the host's procedure, rather than
// by a message hook, which the system would call for every message the
// player's thread handles.
void OnMainResized() {
    ProbeMainWindow();
    RefreshStrip();
    ComposeTitleNow();
}

void OnEqResized() {
    ProbeEqualizer();
}

// The message carries the new client height, which for the borderless
// editor is its window height.
void OnPlaylistResized(LPARAM lParam) {
    NotePlaylistHeight(HIWORD(lParam));
    if (PlaylistLineActive()) DrawPlaylistLine();
}

}  // namespace

int ProcedureDepth() { return subclassing.lasting.procedureDepth; }

void ResetSubclassing() {
    subclassing = Subclassing{subclassing.lasting};
}

#ifdef QLV_WHITEBOX
Subclassing& SubclassingForTest() { return subclassing; }
#endif

void SubclassHostWindows() {
    Subclass(MainWindow(), MainWndProc);
    Subclass(EqWindow(), EqWndProc);
    Subclass(PlaylistWindow(), PlaylistWndProc);
}

void RestoreHostWindows() {
    Restore(PlaylistWindow(), PlaylistWndProc);
    Restore(EqWindow(), EqWndProc);
    Restore(MainWindow(), MainWndProc);
}

namespace {

// Once the plug-in has quit, its surfaces are gone: everything passes on.
// The host may also quit it while handling the message.
LRESULT OnMainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PluginRunning()) return PassOn(MainWndProc, window, message, wParam, lParam);
    int setAgain = 0;
    switch (message) {
    case WM_PAINT: OnMainPaint(window); break;
    case WM_SIZE: OnMainResized(); break;
    case WM_COMMAND: OnMainCommand(LOWORD(wParam)); break;
    case WM_MOUSEWHEEL: YieldToStatusText(); break;   // the volume
    case WM_INITMENU: ExtendHostMenu(reinterpret_cast<HMENU>(wParam)); break;
    case WM_TIMER:
        if (SwallowsHostTimer(wParam)) return 0;
        break;
    case WM_MOUSEMOVE: OnMainMouseMove(wParam, lParam); break;
    case WM_LBUTTONDOWN: OnMainPress(lParam); break;
    case WM_LBUTTONUP: OnButtonReleased(); break;
    case WM_SETTEXT: {
        const SubclassLink* link = FindLink(MainWndProc, window);
        setAgain = CaptionSetAgain(lParam, link && link->wide);
        break;
    }
    }
    const LRESULT result = PassOn(MainWndProc, window, message, wParam, lParam);
    if (!PluginRunning()) return result;
    if (message == WM_SETTEXT) OnCaptionSet(setAgain);
    if (PlayerMayHaveDrawnTitle(message, wParam, lParam)) PresentTitleNow();
    return result;
}

// A slider of the equalizer released: the player draws the main window's
// title back as it handles the release.
LRESULT OnEqMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PluginRunning()) return PassOn(EqWndProc, window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: OnEqResized(); break;
    case WM_LBUTTONDOWN: OnEqPress(lParam); break;
    case WM_LBUTTONUP: OnButtonReleased(); break;
    case WM_MOUSEWHEEL: YieldToStatusText(); break;   // the main window's volume
    }
    const LRESULT result = PassOn(EqWndProc, window, message, wParam, lParam);
    if (message == WM_LBUTTONUP) PresentTitleNow();
    return result;
}

// The shaded editor draws its own line in its paint and, straight onto the
// screen, when it is activated or deactivated: ours goes over it again.
LRESULT OnPlaylistMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (PluginRunning() && message == WM_SIZE) OnPlaylistResized(lParam);
    const LRESULT result = PassOn(PlaylistWndProc, window, message, wParam, lParam);
    if (message == WM_PAINT || message == WM_NCACTIVATE) PresentPlaylistLineNow();
    return result;
}

}  // namespace

// The host may quit the plug-in and free the module from inside a message it
// handles: the count tells quit that code of ours is still to run once the
// host's procedure returns.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++subclassing.lasting.procedureDepth;
    const LRESULT result = OnMainMessage(window, message, wParam, lParam);
    --subclassing.lasting.procedureDepth;
    return result;
}

LRESULT CALLBACK EqWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++subclassing.lasting.procedureDepth;
    const LRESULT result = OnEqMessage(window, message, wParam, lParam);
    --subclassing.lasting.procedureDepth;
    return result;
}

LRESULT CALLBACK PlaylistWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++subclassing.lasting.procedureDepth;
    const LRESULT result = OnPlaylistMessage(window, message, wParam, lParam);
    --subclassing.lasting.procedureDepth;
    return result;
}
