// The demo's scenery: the player's windows painted from the current skin
// (main.bmp, eqmain.bmp, pledit.txt) and its own small title over the face,
// instead of the flat colours tests tell apart.
#include <algorithm>
#include <cstdlib>

#include "emulated_host.h"
#include "scoped_gdi.h"
#include "window_paint.h"

namespace host {

namespace {

constexpr char hostTail[] = " - Winamp";
constexpr COLORREF skinnedTitleColour = RGB(0xE8, 0xC8, 0x70);   // the host's own title over a skinned face

}  // namespace

// The player's own title: the song without its tail, in a small plain
// font, so the hand-over of the title area is visible in the live demo.
bool EmulatedHost::DrawSkinnedTitle(HDC dc, const RECT& area) {
    std::string song = Caption();
    const size_t tail = song.rfind(hostTail);
    if (tail != std::string::npos) song.resize(tail);
    return DrawSkinnedText(dc, area, song, skinnedTitleColour);
}

bool EmulatedHost::DrawSkinnedText(HDC dc, const RECT& area, const std::string& text, COLORREF colour) {
    if (!PaintFace(main_, dc, area)) return false;
    const int scale = area.right - area.left > 153 ? 2 : 1;
    const ScopedFont font(CreateFontA(-9 * scale, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                      NONANTIALIASED_QUALITY, 0, "Small Fonts"));
    const ScopedSelect selected(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    RECT line = {area.left + 2 * scale, area.top + scale, area.right - 2 * scale, area.top + 12 * scale};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &line,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return true;
}

bool EmulatedHost::PaintFace(HWND window, HDC dc, const RECT& area) {
    if (!facesLoaded_ || facesFolder_ != skinFolder) {
        const char* files[] = {"\\main.bmp", "\\eqmain.bmp"};
        ForgetFaces();
        for (int i = 0; i < 2; ++i)
            faces_[i] = static_cast<HBITMAP>(
                LoadImageA(nullptr, (skinFolder + files[i]).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        facesFolder_ = skinFolder;
        facesLoaded_ = true;
    }
    HBITMAP face = window == main_ ? faces_[0] : window == equalizer_ ? faces_[1] : nullptr;
    if (!face) return false;
    BITMAP info = {};
    GetObject(face, sizeof info, &info);
    // Whatever the bitmap does not cover keeps the plain face.
    FillArea(dc, area, hostFaceColour);
    const int scale = WindowSize(window).cx > 275 ? 2 : 1;
    const int left = area.left / scale, top = area.top / scale;
    const int width = std::min<int>(area.right / scale, info.bmWidth) - left;
    const int height = std::min<int>(area.bottom / scale, info.bmHeight) - top;
    if (width <= 0 || height <= 0) return true;
    const ScopedMemoryDC source(dc);
    const ScopedSelect selected(source, face);
    StretchBlt(dc, left * scale, top * scale, width * scale, height * scale, source, left, top, width, height, SRCCOPY);
    return true;
}

void EmulatedHost::ForgetFaces() {
    for (HBITMAP& face : faces_) {
        if (face) DeleteObject(face);
        face = nullptr;
    }
}

bool EmulatedHost::PaintPlaylist(HDC dc, const RECT& whole) {
    const std::string colours = skinFolder + "\\pledit.txt";
    if (GetFileAttributesA(colours.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    auto colour = [&](const char* key, const char* fallback) {
        char text[16] = "";
        GetPrivateProfileStringA("Text", key, fallback, text, sizeof text, colours.c_str());
        const std::string digits = text[0] == '#' ? text + 1 : text;
        const unsigned long rgb = std::strtoul(digits.c_str(), nullptr, 16);
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    const COLORREF normal = colour("Normal", "00FF00"), current = colour("Current", "FFFFFF");
    const COLORREF background = colour("NormalBG", "000000"), selected = colour("SelectedBG", "0000FF");
    FillArea(dc, whole, background);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const ScopedFont font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "AR PL UMing TW"));
    const ScopedSelect fontSelected(dc, font);
    if (whole.bottom > 14) {
        // A frame and rows of entries, the current one highlighted.
        FillArea(dc, {0, 0, whole.right, 14}, selected);
        SetTextColor(dc, normal);
        RECT bar = {0, 0, whole.right, 14};
        DrawTextA(dc, "PLAYLIST EDITOR", -1, &bar, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        for (size_t i = 0; i < playlist.size(); ++i) {
            const int top = 18 + 13 * static_cast<int>(i);
            if (top + 13 > whole.bottom - 4) break;
            const bool isCurrent = static_cast<int>(i) == playlistPosition;
            if (isCurrent) FillArea(dc, {4, top, whole.right - 4, top + 13}, selected);
            SetTextColor(dc, isCurrent ? current : normal);
            const std::string entry = std::to_string(i + 1) + ". " + (playlist[i].nullTitle ? "" : playlist[i].title);
            RECT row = {6, top, whole.right - 6, top + 13};
            DrawTextA(dc, entry.c_str(), -1, &row, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    } else {
        SetTextColor(dc, normal);
        RECT line = {2, 1, whole.right - 30, 13};
        const std::string entry = playlistPosition >= 0 && playlistPosition < static_cast<int>(playlist.size())
                                      ? playlist[static_cast<size_t>(playlistPosition)].title
                                      : "";
        DrawTextA(dc, entry.c_str(), -1, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SetBkMode(dc, oldMode);
    return true;
}

}  // namespace host
