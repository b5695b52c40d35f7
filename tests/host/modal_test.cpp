// Modal boxes opened on the host's thread are answered, so a test never
// hangs in their loops; the plug-in's modeless dialogs are left alone.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include "emulated_host.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A modeless #32770 owned by the main window, like the plug-in's own dialogs.
HWND MakeModelessDialog(HWND owner) {
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tmpl = {};
    tmpl.t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
    tmpl.t.cx = 100;
    tmpl.t.cy = 50;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tmpl.t, owner, QuietDialogProc, 0);
}

}  // namespace

TEST(HostModal, MessageBoxesAreRecordedAndAnsweredOk) {
    host::EmulatedHost h;
    const struct {
        HWND owner;
        const char* text;
        const char* caption;
        UINT style;
        bool error;
    } cases[] = {
        {h.Main(), "First line\nsecond line", "ERROR!", MB_ICONERROR | MB_OK, true},
        {nullptr, "No owner", "Note", MB_OK, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageBoxA(c.owner, c.text, c.caption, c.style), IDOK);
    }
    ASSERT_EQ(h.messageBoxes.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(h.messageBoxes[i].text, cases[i].text);
        EXPECT_EQ(h.messageBoxes[i].caption, cases[i].caption);
        EXPECT_EQ(h.messageBoxes[i].errorIcon, cases[i].error);
    }
    EXPECT_EQ(h.modalDialogCount, 0);
}

TEST(HostModal, ChoosersAreCancelledOrHandedToTheHandler) {
    host::EmulatedHost h;
    static COLORREF custom[16];
    CHOOSECOLORA colour = {};
    colour.lStructSize = sizeof colour;
    colour.rgbResult = RGB(1, 2, 3);
    colour.lpCustColors = custom;
    colour.Flags = CC_RGBINIT | CC_FULLOPEN;
    EXPECT_FALSE(ChooseColorA(&colour)) << "cancelled without a handler";
    EXPECT_EQ(h.modalDialogCount, 1);

    HWND seen = nullptr;
    h.modalHandler = [&](HWND dialog) {
        seen = dialog;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    EXPECT_TRUE(ChooseColorA(&colour)) << "pressed OK by the handler";
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(colour.rgbResult, RGB(1, 2, 3));
    EXPECT_EQ(h.modalDialogCount, 2);
    EXPECT_TRUE(h.messageBoxes.empty());
}

TEST(HostModal, ModelessDialogsOfTheMainWindowAreLeftAlone) {
    host::EmulatedHost h;
    bool handled = false;
    h.modalHandler = [&](HWND) { handled = true; };
    HWND dialog = MakeModelessDialog(h.Main());
    ASSERT_NE(dialog, nullptr);
    SetActiveWindow(dialog);
    h.PumpFor(50);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(handled);
    EXPECT_EQ(h.modalDialogCount, 0);
    DestroyWindow(dialog);
}
