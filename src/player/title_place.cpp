// The player's title area: its place at each size, and its repaint.
#include "player/title_place.h"

#include "player/host_contract.h"
#include "player/window_modes.h"

int ViewWidth() { return IsDoubleSize() ? doubleViewWidth : normalViewWidth; }

POINT TitleOrigin(int doubled) {
    return doubled ? POINT{titleOrigin.x * 2, titleOrigin.y * 2} : titleOrigin;
}

RECT TitleRepaintRect(int doubled) {
    const POINT origin = TitleOrigin(doubled);
    const int scale = doubled ? 2 : 1;
    return RECT{origin.x, origin.y, origin.x + normalViewWidth * scale, origin.y + titleAreaHeight * scale};
}

void RepaintTitleArea(int doubled) {
    if (!MainWindow()) return;
    const RECT area = TitleRepaintRect(doubled);
    RedrawWindow(MainWindow(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE);
}
