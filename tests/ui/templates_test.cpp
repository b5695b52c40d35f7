// The two dialog templates as the user meets them: each control in tab order
// with its id, class, caption, place and tab stop, read back from the live
// dialog. The captions are Traditional Chinese and come through the ANSI
// code page, so they are compared only under code page 950 (the default of
// the test runner); ids, classes and places are checked under any.
#include <gtest/gtest.h>

#include "dialog_driver.h"

namespace {

using namespace ui_test;

struct Control {
    int id;
    const char* className;
    const wchar_t* caption;
    RECT place;   // dialog units: left, top, width, height
    bool tabStop;
};

constexpr Control configControls[] = {
    {1, "Button", L"確定", {27, 240, 50, 14}, true},
    {1000, "Button", L"啟用外掛", {15, 17, 66, 10}, true},
    {-1, "Button", L"字型", {7, 67, 229, 95}, false},
    {2, "Button", L"取消", {133, 240, 50, 14}, true},
    {1011, "Edit", nullptr, {15, 85, 157, 12}, true},
    {1012, "Edit", nullptr, {15, 109, 157, 12}, true},
    {1013, "Button", L"選取...", {178, 85, 50, 12}, true},
    {1014, "Button", L"選取...", {178, 109, 50, 12}, true},
    {1018, "Button", L"套用", {80, 240, 50, 14}, true},
    {-1, "Static", L"兩倍尺寸的文字 :", {15, 101, 59, 8}, false},
    {-1, "Static", L"正常尺寸的文字 :", {15, 77, 58, 8}, false},
    {-1, "Button", L"外掛選項", {7, 7, 229, 58}, false},
    {1021, "Button", L"自動捲動", {15, 30, 48, 10}, true},
    {-1, "Static", L"速度 :", {76, 31, 26, 8}, false},
    {1023, "ComboBox", nullptr, {103, 29, 57, 0}, true},
    {-1, "Static", L"捲動", {167, 31, 18, 8}, false},
    {1024, "Edit", nullptr, {188, 29, 17, 12}, true},
    {-1, "Static", L"圖點", {210, 31, 18, 8}, false},
    {-1, "Button", L"繪製選項", {7, 163, 229, 70}, false},
    {1025, "Button", L"透明顯示", {15, 173, 85, 10}, true},
    {1026, "Button", L"使用 Skin 的顏色", {15, 187, 74, 10}, true},
    {1033, "Static", nullptr, {143, 185, 0, 0}, true},
    {1034, "Static", nullptr, {211, 185, 0, 0}, true},
    {1037, "Static", L"文字 :", {123, 188, 21, 8}, false},
    {1038, "Static", L"背景 :", {165, 188, 21, 8}, false},
    {1030, "Button", L"自動調整", {15, 200, 67, 10}, true},
    {1036, "Button", L"說明", {186, 240, 50, 14}, true},
    {1039, "ComboBox", nullptr, {103, 46, 57, 0}, true},
    {-1, "Static", L"捲動類型 :", {61, 48, 40, 8}, false},
    {-1, "Static", L"陰影 :", {15, 215, 31, 8}, false},
    {1040, "ComboBox", nullptr, {47, 214, 42, 0}, true},
    {1041, "Static", nullptr, {143, 213, 0, 0}, true},
    {-1, "Static", L"陰影顏色 :", {93, 216, 49, 8}, false},
    {1042, "Edit", nullptr, {15, 133, 157, 12}, true},
    {-1, "Static", L"撥放清單隱蔽模式的文字 :", {15, 125, 95, 8}, false},
    {1043, "Button", L"啟用撥放清單隱蔽模式的外掛字型 (Winamp 2.05+ 適用)", {15, 148, 206, 10}, true},
    {1044, "Button", L"選取...", {178, 133, 50, 12}, true},
    {1046, "Button", L"平滑邊緣", {123, 173, 100, 10}, true},
};

constexpr Control aboutControls[] = {
    {1045, "Button", L"確定", {76, 116, 50, 14}, true},
    {-1, "Button", L"訊息", {7, 7, 190, 52}, false},
    {-1, "Static", L"Qelvar Scrivane II 1.0 - Feb 5 1999", {45, 14, 120, 8}, false},
    {-1, "Static", nullptr, {17, 34, 171, 8}, false},
    {-1, "Static", nullptr, {49, 46, 108, 8}, false},
    {-1, "Button", L"聯絡", {7, 64, 190, 45}, false},
    {-1, "Static", L"歡迎任何建議和錯誤報告.", {17, 75, 91, 8}, false},
    {-1, "Static", nullptr, {17, 85, 85, 8}, false},
    {-1, "Static", nullptr, {17, 94, 134, 8}, false},
};

// A width or height of 0 is not checked: drop-down lists measure their closed
// height, and a bitmap static takes the size of its bitmap.
bool ChineseCodePage() {
    return GetACP() == 950;
}

template <size_t N>
void ExpectControls(HWND dialog, const Control (&expected)[N]) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const Control& c : expected) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.place.left << "," << c.place.top);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), c.id);
        EXPECT_STRCASEEQ(ClassOf(child).c_str(), c.className);
        if (c.caption && ChineseCodePage()) {
            EXPECT_EQ(WideText(child), c.caption);
        }
        EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop);
        // Place and size are converted one by one, as the dialog manager does.
        RECT want = {c.place.left, c.place.top, c.place.right, c.place.bottom};
        MapDialogRect(dialog, &want);
        RECT got = {};
        GetWindowRect(child, &got);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
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

TEST(Templates, ConfigurationDialog) {
    ConfigRun config;
    ASSERT_NE(config.dialog, nullptr);
    if (ChineseCodePage()) {
        EXPECT_EQ(WideText(config.dialog), L"Qelvar Scrivane II 配置");
    }
    EXPECT_EQ(DialogFontFace(config.dialog), L"新細明體");
    const LONG style = GetWindowLongA(config.dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(config.dialog));
    ExpectControls(config.dialog, configControls);
    config.Host().PumpMessages();
    EXPECT_TRUE(SaveDialogPicture(config.dialog, config.run.scratch.Folder() + "\\config_dialog.png"));
}

TEST(Templates, AboutDialog) {
    testing_support::PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->SendCommand(2521);
    run.host->PumpMessages();
    HWND about = FindDialog(*run.host, aboutMarker);
    ASSERT_NE(about, nullptr);
    if (ChineseCodePage()) {
        EXPECT_EQ(WideText(about), L"關於 Qelvar Scrivane II");
    }
    EXPECT_EQ(DialogFontFace(about), L"新細明體");
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    ExpectControls(about, aboutControls);
    EXPECT_TRUE(SaveDialogPicture(about, run.scratch.Folder() + "\\about_dialog.png"));
}

}  // namespace
