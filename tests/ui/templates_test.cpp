// The two dialog templates as the user meets them, in the user's language
// (Chinese under the runner's default locale, English under an English one):
// each control in tab order with its id, class, caption, place and tab stop,
// read back from the live dialog, and every text whole within its control.
#include <gtest/gtest.h>

#include "dialog_driver.h"

namespace {

using namespace ui_test;

struct Control {
    int id;
    const char* className;
    const wchar_t* caption;   // Traditional Chinese
    const wchar_t* english;
    RECT place;   // dialog units: left, top, width, height
    bool tabStop;
};

constexpr Control configControls[] = {
    {1, "Button", L"確定", L"OK", {47, 240, 50, 14}, true},
    {1000, "Button", L"啟用外掛", L"Enable plug-in", {15, 17, 75, 10}, true},
    {-1, "Button", L"字型", L"Fonts", {7, 67, 249, 95}, false},
    {2, "Button", L"取消", L"Cancel", {153, 240, 50, 14}, true},
    {1011, "Edit", nullptr, nullptr, {15, 85, 177, 12}, true},
    {1012, "Edit", nullptr, nullptr, {15, 109, 177, 12}, true},
    {1013, "Button", L"選取...", L"Choose...", {198, 85, 50, 12}, true},
    {1014, "Button", L"選取...", L"Choose...", {198, 109, 50, 12}, true},
    {1018, "Button", L"套用", L"Apply", {100, 240, 50, 14}, true},
    {-1, "Static", L"兩倍尺寸的文字 :", L"Double-size text:", {15, 101, 100, 8}, false},
    {-1, "Static", L"正常尺寸的文字 :", L"Normal-size text:", {15, 77, 100, 8}, false},
    {-1, "Button", L"外掛選項", L"Plug-in options", {7, 7, 249, 58}, false},
    {1021, "Button", L"自動捲動", L"Scroll", {15, 30, 48, 10}, true},
    {-1, "Static", L"速度 :", L"Speed:", {70, 31, 32, 8}, false},
    {1023, "ComboBox", nullptr, nullptr, {103, 29, 57, 0}, true},
    {-1, "Static", L"捲動", L"Step", {183, 31, 19, 8}, false},
    {1024, "Edit", nullptr, nullptr, {204, 29, 17, 12}, true},
    {-1, "Static", L"圖點", L"pixels", {224, 31, 26, 8}, false},
    {-1, "Button", L"繪製選項", L"Drawing options", {7, 163, 249, 70}, false},
    {1025, "Button", L"透明顯示", L"Transparent", {15, 173, 85, 10}, true},
    {1026, "Button", L"使用 Skin 的顏色", L"Use skin colours", {15, 187, 80, 10}, true},
    {1033, "Static", nullptr, nullptr, {163, 185, 0, 0}, true},
    {1034, "Static", nullptr, nullptr, {231, 185, 0, 0}, true},
    {1037, "Static", L"文字 :", L"Text:", {137, 188, 25, 8}, false},
    {1038, "Static", L"背景 :", L"Back:", {205, 188, 25, 8}, false},
    {1030, "Button", L"自動調整", L"Auto adjust", {15, 200, 67, 10}, true},
    {1036, "Button", L"說明", L"Help", {206, 240, 50, 14}, true},
    {1039, "ComboBox", nullptr, nullptr, {103, 46, 57, 0}, true},
    {-1, "Static", L"捲動類型 :", L"Scroll type:", {58, 48, 44, 8}, false},
    {-1, "Static", L"陰影 :", L"Shadow:", {15, 215, 34, 8}, false},
    {1040, "ComboBox", nullptr, nullptr, {50, 214, 42, 0}, true},
    {1041, "Static", nullptr, nullptr, {163, 213, 0, 0}, true},
    {-1, "Static", L"陰影顏色 :", L"Shadow colour:", {100, 216, 62, 8}, false},
    {1042, "Edit", nullptr, nullptr, {15, 133, 177, 12}, true},
    {-1, "Static", L"撥放清單隱蔽模式的文字 :", L"Playlist windowshade text:", {15, 125, 130, 8}, false},
    {1043, "Button", L"啟用撥放清單隱蔽模式的外掛字型 (Winamp 2.05+ 適用)", L"Use this font in the shaded playlist (Winamp 2.05+)", {15, 148, 232, 10}, true},
    {1044, "Button", L"選取...", L"Choose...", {198, 133, 50, 12}, true},
    {1046, "Button", L"平滑邊緣", L"Smooth edges", {137, 173, 110, 10}, true},
};

constexpr Control aboutControls[] = {
    {1045, "Button", L"確定", L"OK", {76, 116, 50, 14}, true},
    {-1, "Button", L"訊息", L"Information", {7, 7, 190, 52}, false},
    {-1, "Static", L"Qelvar Scrivane II 1.0 - Feb 5 1999", L"Qelvar Scrivane II 1.0 - Feb 5 1999", {40, 14, 150, 8}, false},
    {-1, "Static", nullptr, nullptr, {17, 34, 171, 8}, false},
    {-1, "Static", nullptr, nullptr, {45, 46, 130, 8}, false},
    {-1, "Button", L"聯絡", L"Contact", {7, 64, 190, 45}, false},
    {-1, "Static", L"歡迎任何建議和錯誤報告.", L"Suggestions and bug reports are welcome.", {17, 75, 171, 8}, false},
    {-1, "Static", nullptr, nullptr, {17, 85, 85, 8}, false},
    {-1, "Static", nullptr, nullptr, {17, 94, 134, 8}, false},
};

// A width or height of 0 is not checked: drop-down lists measure their closed
// height, and a bitmap static takes the size of its bitmap.
RECT PlaceInDialog(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

template <size_t N>
void ExpectControls(HWND dialog, const Control (&expected)[N]) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const Control& c : expected) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.place.left << "," << c.place.top);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), c.id);
        EXPECT_STRCASEEQ(ClassOf(child).c_str(), c.className);
        if (c.caption) {
            EXPECT_EQ(WideText(child), ChineseUser() ? c.caption : c.english);
        }
        EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop);
        // Place and size are converted one by one, as the dialog manager does.
        RECT want = {c.place.left, c.place.top, c.place.right, c.place.bottom};
        MapDialogRect(dialog, &want);
        const RECT got = PlaceInDialog(child);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        if (c.place.right) {
            EXPECT_EQ(got.right - got.left, want.right);
        }
        if (c.place.bottom) {
            EXPECT_EQ(got.bottom - got.top, want.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than expected";
}

std::wstring DialogFontFace(HWND dialog) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfFaceName;
}

// Measured in the dialog's own font and DC; a tenth more covers Windows'
// dialog faces (Tahoma, PMingLiU), which differ from Wine's.
int NeededWidth(HWND control, HDC dc, LONG buttonType) {
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc, WideText(control).c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    // A check box's box and gap; a group box's inset or a push button's edges, both sides.
    const int extra = ClassOf(control) != "Button" ? 0 : buttonType == BS_AUTOCHECKBOX ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 16;
    return (r.right - r.left) * 11 / 10 + extra;
}

// Each text within its control, and no other control over it (a swatch over a label's colon).
void ExpectTextsFit(HWND dialog) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ kept = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((ClassOf(child) != "Static" && ClassOf(child) != "Button") || WideText(child).empty()) continue;
        SCOPED_TRACE(testing::PrintToString(WideText(child)));
        const RECT place = PlaceInDialog(child);
        const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        const RECT text = {place.left, place.top, place.left + NeededWidth(child, dc, type), place.bottom};
        EXPECT_LE(text.right, place.right) << "cut at the right edge";
        for (HWND other = GetWindow(dialog, GW_CHILD); other && type != BS_GROUPBOX; other = GetWindow(other, GW_HWNDNEXT)) {
            RECT covered = {}, otherPlace = PlaceInDialog(other);
            const bool groupBox = (GetWindowLongA(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && ClassOf(other) == "Button";
            EXPECT_TRUE(other == child || groupBox || !IntersectRect(&covered, &text, &otherPlace)) << "under " << GetDlgCtrlID(other);
        }
    }
    SelectObject(dc, kept);
    ReleaseDC(dialog, dc);
}

TEST(Templates, ConfigurationDialog) {
    ConfigRun config;
    ASSERT_NE(config.dialog, nullptr);
    EXPECT_EQ(WideText(config.dialog), (ChineseUser() ? L"Qelvar Scrivane II 配置" : L"Qelvar Scrivane II Configuration"));
    EXPECT_EQ(DialogFontFace(config.dialog), (ChineseUser() ? L"新細明體" : L"MS Shell Dlg"));
    const LONG style = GetWindowLongA(config.dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(config.dialog));
    ExpectControls(config.dialog, configControls);
    ExpectTextsFit(config.dialog);
    wchar_t hard[32] = L"";   // the lists speak the labels' language
    SendDlgItemMessageW(config.dialog, 1040, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(hard));
    EXPECT_EQ(std::wstring(hard), ChineseUser() ? L"粗" : L"Hard");
    EXPECT_TRUE(SaveDialogPicture(config.dialog, config.run.scratch.Folder() + (ChineseUser() ? "\\config_dialog.png" : "\\config_dialog_en.png")));
}

TEST(Templates, AboutDialog) {
    testing_support::PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->SendCommand(2521);
    run.host->PumpMessages();
    HWND about = FindDialog(*run.host, aboutMarker);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WideText(about), (ChineseUser() ? L"關於 Qelvar Scrivane II" : L"About Qelvar Scrivane II"));
    EXPECT_EQ(DialogFontFace(about), (ChineseUser() ? L"新細明體" : L"MS Shell Dlg"));
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    ExpectControls(about, aboutControls);
    ExpectTextsFit(about);
    EXPECT_TRUE(SaveDialogPicture(about, run.scratch.Folder() + (ChineseUser() ? "\\about_dialog.png" : "\\about_dialog_en.png")));
}

}  // namespace
