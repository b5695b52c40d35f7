// Who shows in the player's title area: our frames, or the player's own
// drawing while the user presses one of its controls or reads one of its
// status texts.
#pragma once

// The title area's record; its one instance is private to title_area.cpp.
struct TitleArea {
    int pressHeld;         // a press holds the area until the button is released
    int statusMsLeft;      // milliseconds a status text still holds it; 0: none does
};

// A press on a host control that writes into the title area: the player
// repaints the area (normal or double size) and keeps it until the button
// is released. A status text it was showing gives way to the press.
void YieldTitleArea(int doubled);
// The button released anywhere in the main window or the equalizer.
void ReclaimTitleArea();
// The player shows a status text ("VOLUME: 52%"): it keeps the area until it
// sets its caption again, or for 1.5 s after the last such message.
void YieldToStatusText();
// The player set its caption again: the status text is over.
void EndStatusText();
// The frame clock's time passing: the status text's time runs down.
void CountTitleAreaTime(int elapsedMs);
// A status text holds the area: the scroll stands still under it.
int StatusTextShown();
// The area is the player's: no frame of ours is presented.
int TitleAreaYielded();
// Ours, with no press and no status text (a fresh start).
void ResetTitleArea();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
TitleArea& TitleAreaForTest();
#endif
