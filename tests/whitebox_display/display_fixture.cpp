#include "display_fixture.h"

#include <cstring>

#include "surfaces/skin_pictures.h"
#include "title/coverage_strip.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"

namespace display_test {

int trackSeconds = 245;

namespace {

constexpr char windowClass[] = "QlvDisplayTestMain";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER && lParam == IPC_GETOUTPUTTIME) return trackSeconds;
    if (message == WM_USER) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterStandIn() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = windowClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&wc);
    registered = true;
}

}  // namespace

SettingsSet DefaultSettings() {
    return SettingsSet{1, 1, 8, 4, 2, 0, 0, 0, 0,
                       8, 0, 0, "MS Sans Serif",
                       14, 1, 0, "MS Sans Serif",
                       8, 0, 0, "MS Sans Serif",
                       0, RGB(0, 255, 0), RGB(0, 0, 0), RGB(0, 0, 0), 0};
}

COLORREF PixelAt(const Surface& surface, int x, int y) { return GetPixel(surface.dc, x, y); }

bool MaskBit(const Surface& surface, int x, int y) { return GetPixel(surface.dc, x, y) == RGB(255, 255, 255); }

void MarkStripColumns(const std::vector<int>& columns) {
    const Surface& strip = Surfaces().textStrip;
    BITMAP info = {};
    GetObjectA(strip.bitmap, sizeof info, &info);
    Rectangle(strip.dc, 0, 0, info.bmWidth, info.bmHeight);
    for (int column : columns) {
        const RECT line = {column, 0, column + 1, titleSurfaceHeight};
        FillRect(strip.dc, &line, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

std::vector<int> SetColumns(int width) {
    std::vector<int> set;
    for (int x = 0; x < width; ++x)
        if (MaskBit(Surfaces().viewMask, x, 0)) set.push_back(x);
    return set;
}

bool IsCodePage950() { return GetACP() == 950; }

void DisplayTest::SetUp() {
    RegisterStandIn();
    window_ = CreateWindowExA(0, windowClass, "stand-in", WS_POPUP | WS_VISIBLE, 0, 0, 275, 116, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    HostContractForTest().mainWindow = window_;
    WindowModesForTest().doubleSize = 0;
    trackSeconds = 245;
    UseSettings(DefaultSettings());
    TitleTextState& title = TitleTextForTest();
    lstrcpyA(title.titleText, startupTitle);
    title.titleLength = 0;
    title.timeSuffix[0] = '\0';
    CreateSurfaces();
    ASSERT_EQ(SurfacesCreated(), 1);
}

void DisplayTest::TearDown() {
    ReleaseSurfaces();
    ReleaseCoverage();
    HostContractForTest().mainWindow = nullptr;
    WindowModesForTest().doubleSize = 0;
    if (window_) DestroyWindow(window_);
}

void DisplayTest::Recreate(const SettingsSet& settings) {
    ReleaseSurfaces();
    ReleaseCoverage();
    UseSettings(settings);
    CreateSurfaces();
    ASSERT_EQ(SurfacesCreated(), 1);
}

void DisplayTest::ShowCaption(const std::string& caption) {
    lstrcpynA(TitleTextForTest().titleText, caption.c_str(), titleTextSize);
    RefreshTitle();
}

}  // namespace display_test
