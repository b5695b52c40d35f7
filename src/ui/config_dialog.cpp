// The configuration dialog: edits pendingSettings and the three font records,
// and hands them to the settings store on OK and Apply.
#include "ui/config_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <iterator>

#include "surfaces/fonts.h"
#include "surfaces/skin_pictures.h"
#include "title/skin_change.h"
#include "surfaces/surfaces.h"
#include "player/host_contract.h"
#include "playlist/playlist_line.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "ui/language.h"
#include "ui/open_or_raise.h"

namespace {

ConfigDialog config;

// The help page in each language, by UiLanguage; ASCII names, which every
// code page and every zip tool keeps.
constexpr const char* helpPageNames[] = {"Scrivane.html", "Scrivane.zh-TW.html", "Scrivane.zh-CN.html"};
constexpr char helpFileName[] = "Scrivane.HLP";

// The help page `name` beside the module, when it is there.
bool FindHelpPage(const char* name, char* path) {
    if (!BesideModule(name, path, MAX_PATH)) return false;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows Help is not part of Windows 10 and 11, and only an optional
// download since Vista: the page shipped beside the module opens in the
// user's browser, in the dialog's language, or in English when that page is
// missing. Without a page, or without a program to show it, the help file
// as before.
void ShowHelp(HWND dialog) {
    char page[MAX_PATH];
    const char* wanted = helpPageNames[static_cast<int>(UserLanguage())];
    if ((FindHelpPage(wanted, page) || FindHelpPage(helpPageNames[0], page)) &&
        reinterpret_cast<INT_PTR>(ShellExecuteA(dialog, nullptr, page, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return;
    WinHelpA(MainWindow(), config.helpFilePath, HELP_FINDER, 0);
}

struct CheckBox {
    int id;
    int SettingsSet::*field;
};

// 1043 is not here: it is shown only on hosts that can draw the playlist line.
constexpr CheckBox checkBoxes[] = {
    {IDC_ENABLED, &SettingsSet::Enabled},
    {IDC_SCROLL, &SettingsSet::Scroll},
    {IDC_TRANSPARENT, &SettingsSet::Transparent},
    {IDC_USE_SKIN_COLOR, &SettingsSet::UseSkinColor},
    {IDC_AUTO_ADJUST, &SettingsSet::AutoAdjust},
    {IDC_SMOOTH, &SettingsSet::Smooth},
};

struct ListItem {
    UiText text;
    int value;
};

constexpr ListItem speedItems[] = {
    {{"Slowest", L"最慢", L"最慢"}, 24}, {{"Slower", L"較慢", L"较慢"}, 20}, {{"Slow", L"慢", L"慢"}, 16},
    {{"Normal", L"正常", L"正常"}, 12},  {{"Fast", L"快", L"快"}, 8},        {{"Faster", L"較快", L"较快"}, 4},
    {{"Fastest", L"最快", L"最快"}, 2},
};
constexpr ListItem scrollTypeItems[] = {{{"Winamp 1.x", L"Winamp 1.x", L"Winamp 1.x"}, 1},
                                        {{"Winamp 2.x", L"Winamp 2.x", L"Winamp 2.x"}, 2}};
constexpr ListItem shadowItems[] = {{{"None", L"無", L"无"}, 0},
                                    {{"Thin", L"細", L"细"}, 1},
                                    {{"Medium", L"中", L"中"}, 2},
                                    {{"Hard", L"粗", L"粗"}, 3}};

struct DropDownList {
    int id;
    const ListItem* items;
    int count;
    int SettingsSet::*field;
};

constexpr DropDownList lists[] = {
    {IDC_SPEED, speedItems, static_cast<int>(std::size(speedItems)), &SettingsSet::ScrollRate},
    {IDC_SCROLL_TYPE, scrollTypeItems, static_cast<int>(std::size(scrollTypeItems)), &SettingsSet::ScrollType},
    {IDC_SHADOW, shadowItems, static_cast<int>(std::size(shadowItems)), &SettingsSet::Shadow},
};

struct FontControls {
    int chooseId;
    int descriptionId;
    UserFontSlot slot;   // whose user record the chooser edits
    char (SettingsSet::*face)[faceNameSize];
    int SettingsSet::*size;
    int SettingsSet::*bold;
    int SettingsSet::*italic;
};

constexpr FontControls fontControls[] = {
    {IDC_NORMAL_FONT_CHOOSE, IDC_NORMAL_FONT_TEXT, userNormalSlot, &SettingsSet::FontFace,
     &SettingsSet::FontSize, &SettingsSet::FontBold, &SettingsSet::FontItalic},
    {IDC_DOUBLE_FONT_CHOOSE, IDC_DOUBLE_FONT_TEXT, userDoubleSizeSlot, &SettingsSet::DS_FontFace,
     &SettingsSet::DS_FontSize, &SettingsSet::DS_FontBold, &SettingsSet::DS_FontItalic},
    {IDC_PLAYLIST_FONT_CHOOSE, IDC_PLAYLIST_FONT_TEXT, userPlaylistSlot, &SettingsSet::PE_FontFace,
     &SettingsSet::PE_FontSize, &SettingsSet::PE_FontBold, &SettingsSet::PE_FontItalic},
};

struct Swatch {
    int id;
    SwatchIndex bitmap;
    COLORREF SettingsSet::*colour;
};

constexpr Swatch swatches[] = {
    {IDC_TEXT_SWATCH, swatchText, &SettingsSet::TextColor},
    {IDC_BK_SWATCH, swatchBk, &SettingsSet::BkColor},
    {IDC_SHADOW_SWATCH, swatchShadow, &SettingsSet::ShadowColor},
};

// The skin's colours replace these two; the shadow colour is never the skin's.
constexpr int skinColouredControls[] = {IDC_TEXT_SWATCH, IDC_BK_SWATCH, IDC_TEXT_LABEL, IDC_BK_LABEL};

int Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

void EnableApply(HWND dialog, bool enabled) {
    const HWND apply = GetDlgItem(dialog, IDC_APPLY);
    // Disabling the focused button would leave the dialog with no focus at
    // all, and the keyboard would reach nothing until the next click.
    if (!enabled && GetFocus() == apply)
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
    EnableWindow(apply, enabled);
}

void ApplySwatchRule(HWND dialog, int useSkinColour) {
    for (int id : skinColouredControls) EnableWindow(GetDlgItem(dialog, id), !useSkinColour);
}

// The bitmaps belong to the surfaces, which are gone once the plug-in has
// quit: a dialog still alive then must not paint into released handles.
void ShowSwatch(HWND dialog, int id, HBITMAP bitmap, COLORREF colour) {
    if (!SurfacesCreated() || !bitmap) return;
    PaintSwatch(bitmap, colour);
    SendDlgItemMessageA(dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void ShowFontDescription(HWND dialog, int id, const char* face, int size) {
    char text[64];
    wsprintfA(text, "%.31s %2dpt.", face, size);
    SetDlgItemTextA(dialog, id, text);
}

void FillList(HWND dialog, const DropDownList& list, int value) {
    SendDlgItemMessageA(dialog, list.id, CB_RESETCONTENT, 0, 0);
    int selected = -1;
    for (int i = 0; i < list.count; ++i) {
        char bytes[32];
        const char* text = InUserLanguage(list.items[i].text, bytes, sizeof bytes);
        SendDlgItemMessageA(dialog, list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (list.items[i].value == value) selected = i;
    }
    SendDlgItemMessageA(dialog, list.id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// Keeps a font record in step with the settings fields it came from.
void LoadFontRecord(const FontControls& font, const SettingsSet& settings) {
    LOGFONTA record = UserFontRecord(font.slot);
    FillFontRecord(record, settings.*font.face, settings.*font.size, settings.*font.bold, settings.*font.italic);
    SetUserFontRecord(font.slot, record);
}

// The controls show the stored settings. pendingSettings is made equal to them
// first: a dialog that went away without OK or Cancel (its owner destroyed)
// could otherwise leave edits behind that this dialog does not show, and OK
// would commit them unseen.
BOOL OnInitDialog(HWND dialog) {
    RevertPending();
    const SettingsSet& stored = StoredSettings();
    EnableApply(dialog, false);
    for (const CheckBox& box : checkBoxes)
        CheckDlgButton(dialog, box.id, stored.*box.field ? BST_CHECKED : BST_UNCHECKED);
    ApplySwatchRule(dialog, stored.UseSkinColor);
    CheckDlgButton(dialog, IDC_PE_SCRIVANE, stored.PE_Scrivane && HostIs205() ? BST_CHECKED : BST_UNCHECKED);
    for (const DropDownList& list : lists) FillList(dialog, list, stored.*list.field);
    SetDlgItemInt(dialog, IDC_SCROLL_PIXEL, static_cast<UINT>(stored.ScrollPixel), FALSE);
    for (const FontControls& font : fontControls)
        ShowFontDescription(dialog, font.descriptionId, stored.*font.face, stored.*font.size);
    for (const FontControls& font : fontControls) LoadFontRecord(font, stored);
    for (const Swatch& swatch : swatches)
        ShowSwatch(dialog, swatch.id, ColourSwatch(swatch.bitmap), stored.*swatch.colour);
    if (!HostIs205()) {
        EnableWindow(GetDlgItem(dialog, IDC_PE_SCRIVANE), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_PLAYLIST_FONT_CHOOSE), FALSE);
    }
    return TRUE;
}

// The chooser edits the user's record, whose other fields live on for the
// session; only a confirmed choice is copied back into the pending fields.
void PickFont(HWND dialog, const FontControls& font) {
    LOGFONTA record = UserFontRecord(font.slot);
    CHOOSEFONTA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.lpLogFont = &record;
    chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    chooser.nFontType = SCREEN_FONTTYPE;
    ++config.lasting.choosersOpen;
    const BOOL chosen = ChooseFontA(&chooser);
    --config.lasting.choosersOpen;
    SetUserFontRecord(font.slot, record);
    // The chooser runs its own message loop: the dialog may have been closed
    // (or the plug-in quit) meanwhile, and then nothing is left to edit.
    if (!chosen || !IsWindow(dialog)) {
        LoadFontRecord(font, config.pendingSettings);
        return;
    }
    SettingsSet& pending = config.pendingSettings;
    ReadFontRecord(UserFontRecord(font.slot), pending.*font.face, pending.*font.size, pending.*font.bold,
                   pending.*font.italic);
    ShowFontDescription(dialog, font.descriptionId, pending.*font.face, pending.*font.size);
    EnableApply(dialog, true);
}

// True when the settings reached plugin.ini.
bool Commit(HWND dialog) {
    config.pendingSettings.ScrollPixel = static_cast<int>(GetDlgItemInt(dialog, IDC_SCROLL_PIXEL, nullptr, FALSE));
    CommitPendingSettings();
    return SaveSettings();
}

// The row of a control table that names the control `id`, or null.
template <typename Row, size_t count>
const Row* RowFor(const Row (&rows)[count], int Row::*control, int id) {
    for (const Row& row : rows)
        if (row.*control == id) return &row;
    return nullptr;
}

// Returns FALSE only for ids the dialog does not know, and for swatch
// notifications other than a click.
BOOL OnCommand(HWND dialog, int id, int notification) {
    switch (id) {
    case IDOK:
        Commit(dialog);
        DestroyWindow(dialog);
        return TRUE;
    case IDCANCEL:
        RevertPending();
        DestroyWindow(dialog);
        return TRUE;
    case IDC_APPLY:
        // Apply stays on while the file does not hold what is in force.
        EnableApply(dialog, !Commit(dialog));
        return TRUE;
    case IDC_HELP_BUTTON:
        ShowHelp(dialog);
        return TRUE;
    case IDC_PE_SCRIVANE:
        config.pendingSettings.PE_Scrivane = Checked(dialog, id);
        EnableApply(dialog, true);
        return TRUE;
    case IDC_SCROLL_PIXEL:
        // Only the focus entering the edit counts; its number is read on OK and Apply.
        if (notification == EN_SETFOCUS) EnableApply(dialog, true);
        return TRUE;
    }
    if (const CheckBox* box = RowFor(checkBoxes, &CheckBox::id, id)) {
        config.pendingSettings.*box->field = Checked(dialog, id);
        if (id == IDC_USE_SKIN_COLOR) ApplySwatchRule(dialog, config.pendingSettings.UseSkinColor);
        EnableApply(dialog, true);
        return TRUE;
    }
    if (const DropDownList* list = RowFor(lists, &DropDownList::id, id)) {
        if (notification != CBN_SELENDOK) return TRUE;
        const auto selected = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
        if (selected >= 0 && selected < list->count) config.pendingSettings.*list->field = list->items[selected].value;
        EnableApply(dialog, true);
        return TRUE;
    }
    if (const FontControls* font = RowFor(fontControls, &FontControls::chooseId, id)) {
        PickFont(dialog, *font);
        return TRUE;
    }
    if (const Swatch* swatch = RowFor(swatches, &Swatch::id, id)) {
        if (notification != STN_CLICKED) return FALSE;
        COLORREF& colour = config.pendingSettings.*swatch->colour;
        const COLORREF picked = PickColour(dialog, id, ColourSwatch(swatch->bitmap), colour);
        // The chooser's own message loop may have let the dialog close.
        if (!IsWindow(dialog)) return TRUE;
        colour = picked;
        EnableApply(dialog, true);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void RevertPending() {
    config.pendingSettings = StoredSettings();
}

// The fonts committed are the user's own records, never a skin's.
void CommitPendingSettings() {
    CopyUserFontsInto(config.pendingSettings);
    CommitPending(config.pendingSettings);
    ApplySkinOverrides();
    RefreshPlaylistLine();
}

// The help file's path is made once from the module's folder; a folder too
// long for the name falls back to the bare name.
void FindHelpFile() {
    if (!BesideModule(helpFileName, config.helpFilePath, sizeof config.helpFilePath))
        lstrcpyA(config.helpFilePath, helpFileName);
}

void CloseHelp() {
    WinHelpA(MainWindow(), config.helpFilePath, HELP_QUIT, 0);
}

void CloseConfigDialog() {
    if (config.window && IsWindow(config.window)) DestroyWindow(config.window);
    config.window = nullptr;
}

void ResetConfigDialog() {
    config = ConfigDialog{config.lasting};
}

#ifdef QLV_WHITEBOX
ConfigDialog& ConfigDialogForTest() { return config; }
#endif

// The dialog's procedure forgets the window when it is destroyed.
void OpenConfigDialog() {
    config.window = OpenOrRaise(config.window, IDD_CONFIG, ConfigDialogProc);
}

int ChoosersOpen() { return config.lasting.choosersOpen; }

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        if (config.window == dialog) config.window = nullptr;
        return TRUE;
    }
    return FALSE;
}

// Without an owner the chooser leaves the dialog and the host usable, so the
// frame clock keeps running while it is open.
COLORREF PickColour(HWND dialog, int swatchId, HBITMAP swatch, COLORREF initial) {
    CHOOSECOLORA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.rgbResult = initial;
    chooser.lpCustColors = config.customColours;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    // A cancelled chooser gives the initial colour back whatever it left in
    // the record; it still counts as a use and repaints the swatch.
    ++config.lasting.choosersOpen;
    const BOOL chosen = ChooseColorA(&chooser);
    --config.lasting.choosersOpen;
    const COLORREF colour = chosen ? chooser.rgbResult : initial;
    if (IsWindow(dialog)) ShowSwatch(dialog, swatchId, swatch, colour);
    return colour;
}
