// The title area handed to the player and taken back: by a press on its
// controls until the release, and by its status texts until it sets its
// caption again or their time is up.
#include "plugin/title_area.h"

#include "player/title_place.h"

namespace {

// A player that never sets its caption again still gets its status text read.
constexpr int statusTextMs = 1500;

TitleArea holder;

}  // namespace

// The player repaints its title so its own text shows at once.
void YieldTitleArea(int doubled) {
    holder.pressHeld = 1;
    holder.statusMsLeft = 0;
    RepaintTitleArea(doubled);
}

void ReclaimTitleArea() {
    holder.pressHeld = 0;
}

// No repaint here: the player draws its status text straight into the
// window as it handles the message, after our procedure has passed it on.
void YieldToStatusText() {
    holder.statusMsLeft = statusTextMs;
}

void EndStatusText() {
    holder.statusMsLeft = 0;
}

void CountTitleAreaTime(int elapsedMs) {
    if (holder.statusMsLeft > 0) holder.statusMsLeft -= elapsedMs < holder.statusMsLeft ? elapsedMs : holder.statusMsLeft;
}

int StatusTextShown() {
    return holder.statusMsLeft > 0 ? 1 : 0;
}

int TitleAreaYielded() {
    return holder.pressHeld || holder.statusMsLeft > 0 ? 1 : 0;
}

void ResetTitleArea() {
    holder = TitleArea{};
}

#ifdef QLV_WHITEBOX
TitleArea& TitleAreaForTest() { return holder; }
#endif
