// The two dialog templates as the user meets them, in the user's language
// (Traditional Chinese under the runner's default locale, Simplified or
// English under those):
// each control in tab order with its id, class, caption, place and tab stop,
// read back from the live dialog, and every text whole within its control.
#include <gtest/gtest.h>

#include <cwchar>

#include "dialog_driver.h"
#include "resources/ui_texts.h"

namespace {

using namespace ui_test;

struct Control {
    int id;
    const char* className;
    const wchar_t* captions[3];   // by Language: English, Traditional, Simplified Chinese; none not checked
    RECT place;   // dialog units: left, top, width, height
    bool tabStop;
};

constexpr Control configControls[] = {
    {1, "Button", {L"OK", L"確定", L"确定"}, {47, 240, 50, 14}, true},
    {1000, "Button", {L"Enable plug-in", L"啟用外掛", L"启用插件"}, {15, 17, 75, 10}, true},
    {-1, "Button", {L"Fonts", L"字型", L"字体"}, {7, 67, 249, 95}, false},
    {2, "Button", {L"Cancel", L"取消", L"取消"}, {153, 240, 50, 14}, true},
    {1011, "Edit", {}, {15, 85, 177, 12}, true},
    {1012, "Edit", {}, {15, 109, 177, 12}, true},
    {1013, "Button", {L"Choose...", L"選取...", L"选择..."}, {198, 85, 50, 12}, true},
    {1014, "Button", {L"Choose...", L"選取...", L"选择..."}, {198, 109, 50, 12}, true},
    {1018, "Button", {L"Apply", L"套用", L"应用"}, {100, 240, 50, 14}, true},
    {-1, "Static", {L"Double-size text:", L"兩倍尺寸的文字 :", L"双倍尺寸的文字 :"}, {15, 101, 100, 8}, false},
    {-1, "Static", {L"Normal-size text:", L"正常尺寸的文字 :", L"正常尺寸的文字 :"}, {15, 77, 100, 8}, false},
    {-1, "Button", {L"Plug-in options", L"外掛選項", L"插件选项"}, {7, 7, 249, 58}, false},
    {1021, "Button", {L"Scroll", L"自動捲動", L"自动滚动"}, {15, 30, 48, 10}, true},
    {-1, "Static", {L"Speed:", L"速度 :", L"速度 :"}, {70, 31, 32, 8}, false},
    {1023, "ComboBox", {}, {103, 29, 57, 0}, true},
    {-1, "Static", {L"Step", L"捲動", L"滚动"}, {183, 31, 19, 8}, false},
    {1024, "Edit", {}, {204, 29, 17, 12}, true},
    {-1, "Static", {L"pixels", L"圖點", L"像素"}, {224, 31, 26, 8}, false},
    {-1, "Button", {L"Drawing options", L"繪製選項", L"绘制选项"}, {7, 163, 249, 70}, false},
    {1025, "Button", {L"Transparent", L"透明顯示", L"透明显示"}, {15, 173, 85, 10}, true},
    {1026, "Button", {L"Use skin colours", L"使用 Skin 的顏色", L"使用皮肤的颜色"}, {15, 187, 80, 10}, true},
    {1033, "Static", {}, {163, 185, 0, 0}, true},
    {1034, "Static", {}, {231, 185, 0, 0}, true},
    {1037, "Static", {L"Text:", L"文字 :", L"文字 :"}, {137, 188, 25, 8}, false},
    {1038, "Static", {L"Back:", L"背景 :", L"背景 :"}, {205, 188, 25, 8}, false},
    {1030, "Button", {L"Auto adjust", L"自動調整", L"自动调整"}, {15, 200, 67, 10}, true},
    {1036, "Button", {L"Help", L"說明", L"帮助"}, {206, 240, 50, 14}, true},
    {1039, "ComboBox", {}, {103, 46, 57, 0}, true},
    {-1, "Static", {L"Scroll type:", L"捲動類型 :", L"滚动类型 :"}, {58, 48, 44, 8}, false},
    {-1, "Static", {L"Shadow:", L"陰影 :", L"阴影 :"}, {15, 215, 34, 8}, false},
    {1040, "ComboBox", {}, {50, 214, 42, 0}, true},
    {1041, "Static", {}, {163, 213, 0, 0}, true},
    {-1, "Static", {L"Shadow colour:", L"陰影顏色 :", L"阴影颜色 :"}, {100, 216, 62, 8}, false},
    {1042, "Edit", {}, {15, 133, 177, 12}, true},
    {-1, "Static", {L"Playlist windowshade text:", L"撥放清單隱蔽模式的文字 :", L"播放列表精简模式的文字 :"},
     {15, 125, 130, 8}, false},
    {1043, "Button",
     {L"Use this font in the shaded playlist (Winamp 2.05+)", L"啟用撥放清單隱蔽模式的外掛字型 (Winamp 2.05+ 適用)",
      L"启用播放列表精简模式的插件字体 (Winamp 2.05+ 适用)"},
     {15, 148, 232, 10}, true},
    {1044, "Button", {L"Choose...", L"選取...", L"选择..."}, {198, 133, 50, 12}, true},
    {1046, "Button", {L"Smooth edges", L"平滑邊緣", L"平滑边缘"}, {137, 173, 110, 10}, true},
};

constexpr Control aboutControls[] = {
    {1045, "Button", {L"OK", L"確定", L"确定"}, {76, 116, 50, 14}, true},
    {-1, "Button", {L"Information", L"訊息", L"信息"}, {7, 7, 190, 52}, false},
    {-1, "Static", {L"Qelvar Scrivane II 1.0 - Feb 5 1999", L"Qelvar Scrivane II 1.0 - Feb 5 1999",
                    L"Qelvar Scrivane II 1.0 - Feb 5 1999"}, {40, 14, 150, 8}, false},
    {-1, "Static", {}, {17, 34, 171, 8}, false},
    {-1, "Static", {}, {45, 46, 130, 8}, false},
    {-1, "Button", {L"Contact", L"聯絡", L"联系"}, {7, 64, 190, 45}, false},
    {-1, "Static", {L"Suggestions and bug reports are welcome.", L"歡迎任何建議和錯誤報告.", L"欢迎任何建议和错误报告。"},
     {17, 75, 171, 8}, false},
    {-1, "Static", {}, {17, 85, 85, 8}, false},
    {-1, "Static", {}, {17, 94, 134, 8}, false},
};

// A width or height of 0 is not checked: drop-down lists measure their closed
// height, and a bitmap static takes the size of its bitmap.
RECT PlaceInDialog(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The plug-in asks the code page for a Chinese language's whole character
// set before it speaks that language: a text with a character outside the
// set could show a question mark where the code page lacks it.
void ExpectInCharacterSet(const std::wstring& text) {
    const wchar_t* const sets[] = {L"", traditionalCharacters, simplifiedCharacters};
    for (wchar_t c : text)
        EXPECT_TRUE(c < 0x80 || std::wcschr(sets[ExpectedLanguage()], c)) << "not in the set: " << static_cast<int>(c);
}

template <size_t N>
void ExpectControls(HWND dialog, const Control (&expected)[N]) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const Control& c : expected) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.place.left << "," << c.place.top);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), c.id);
        EXPECT_STRCASEEQ(ClassOf(child).c_str(), c.className);
        if (const wchar_t* caption = c.captions[ExpectedLanguage()]) {
            EXPECT_EQ(WideText(child), caption);
            ExpectInCharacterSet(caption);
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

// By Language: the face each language's Windows gives its dialogs, and the
// pictures' names.
const wchar_t* const dialogFaces[] = {L"MS Shell Dlg", L"新細明體", L"宋体"};
const char* const pictureTags[] = {"_en", "", "_zh-cn"};

// In the 2.x and in the 5.x player, whose windows are Unicode windows.
void ExpectConfigurationDialog(const host::HostOptions& options, const std::string& tag) {
    SCOPED_TRACE(tag);
    ConfigRun config("", options, tag);
    ASSERT_NE(config.dialog, nullptr);
    const wchar_t* const captions[] = {L"Qelvar Scrivane II Configuration", L"Qelvar Scrivane II 配置",
                                       L"Qelvar Scrivane II 配置"};
    EXPECT_EQ(WideText(config.dialog), captions[ExpectedLanguage()]);
    EXPECT_EQ(DialogFontFace(config.dialog), dialogFaces[ExpectedLanguage()]);
    const LONG style = GetWindowLongA(config.dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(IsWindowVisible(config.dialog));
    ExpectControls(config.dialog, configControls);
    ExpectTextsFit(config.dialog);
    wchar_t item[32] = L"";   // the lists speak the labels' language
    SendDlgItemMessageW(config.dialog, 1040, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    const wchar_t* const none[] = {L"None", L"無", L"无"};
    EXPECT_EQ(std::wstring(item), none[ExpectedLanguage()]);
    for (int list : {1023, 1039, 1040})
        for (int i = 0; SendDlgItemMessageW(config.dialog, list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item)) > 0; ++i)
            ExpectInCharacterSet(item);
    EXPECT_TRUE(SaveDialogPicture(config.dialog, config.run.scratch.Folder() + "\\config_dialog" +
                                                     pictureTags[ExpectedLanguage()] + ".png"));
}

TEST(Templates, ConfigurationDialog) {
    ExpectConfigurationDialog({}, "2.x");
    ExpectConfigurationDialog(host::ModernPlayer(), "5.x");
}

void ExpectAboutDialog(const host::HostOptions& options, const std::string& tag) {
    SCOPED_TRACE(tag);
    testing_support::PluginRun run(options, tag);
    ASSERT_EQ(run.Start(), 0);
    run.host->SendCommand(2521);
    run.host->PumpMessages();
    HWND about = FindDialog(*run.host, aboutMarker);
    ASSERT_NE(about, nullptr);
    const wchar_t* const captions[] = {L"About Qelvar Scrivane II", L"關於 Qelvar Scrivane II", L"关于 Qelvar Scrivane II"};
    EXPECT_EQ(WideText(about), captions[ExpectedLanguage()]);
    EXPECT_EQ(DialogFontFace(about), dialogFaces[ExpectedLanguage()]);
    EXPECT_EQ(GetWindowLongA(about, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    ExpectControls(about, aboutControls);
    ExpectTextsFit(about);
    EXPECT_TRUE(SaveDialogPicture(about, run.scratch.Folder() + "\\about_dialog" + pictureTags[ExpectedLanguage()] + ".png"));
}

TEST(Templates, AboutDialog) {
    ExpectAboutDialog({}, "2.x");
    ExpectAboutDialog(host::ModernPlayer(), "5.x");
}

}  // namespace
