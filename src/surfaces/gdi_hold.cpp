// The holders' calls that give a drawing object back.
#include "surfaces/gdi_hold.h"

namespace gdi_hold {

void Delete(HGDIOBJ object) {
    if (object) DeleteObject(object);
}

void Delete(HDC dc) {
    if (dc) DeleteDC(dc);
}

}  // namespace gdi_hold

void HeldWindowDC::LetGo() {
    if (dc_) ReleaseDC(window_, dc_);
    dc_ = nullptr;
}

void HeldSelection::Select(HDC dc, HGDIOBJ object) {
    Undo();
    dc_ = dc;
    original_ = SelectObject(dc, object);
}

void HeldSelection::Undo() {
    if (original_) SelectObject(dc_, original_);
    dc_ = nullptr;
    original_ = nullptr;
}
