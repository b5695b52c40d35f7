// The title area handed to the player and taken back: by a press on its
// controls until the release, and by its status texts until it sets its
// caption again or their time is up.
#include "plugin/title_area.h"

#include "display/text_strip.h"
#include "plugin/frame_clock.h"

namespace {

// A player that never sets its caption again still gets its status text read.
constexpr int statusTextTicks = 1500 / static_cast<int>(framePeriodMs);

TitleArea holder;

}  // namespace

// The player repaints its title so its own text shows at once.
void YieldTitleArea(int doubled) {
    holder.pressHeld = 1;
    holder.statusTicksLeft = 0;
    RepaintTitleArea(doubled);
}

void ReclaimTitleArea() {
    holder.pressHeld = 0;
}

// No repaint here: the player draws its status text straight into the
// window as it handles the message, after our procedure has passed it on.
void YieldToStatusText() {
    holder.statusTicksLeft = statusTextTicks;
}

void EndStatusText() {
    holder.statusTicksLeft = 0;
}

void CountTitleAreaTick() {
    if (holder.statusTicksLeft > 0) --holder.statusTicksLeft;
}

int StatusTextShown() {
    return holder.statusTicksLeft > 0 ? 1 : 0;
}

int TitleAreaYielded() {
    return holder.pressHeld || holder.statusTicksLeft > 0 ? 1 : 0;
}

void ResetTitleArea() {
    holder = TitleArea{};
}

#ifdef QLV_WHITEBOX
TitleArea& TitleAreaForTest() { return holder; }
#endif
