// Where the player's title area lies in its main window, at normal size and
// in double size, and the player asked to repaint it.
#pragma once
#include <windows.h>

constexpr int normalViewWidth = 153;
constexpr int doubleViewWidth = 306;
// Where the player's title area starts at normal size; double size doubles it.
constexpr POINT titleOrigin = {112, 24};
constexpr int titleAreaHeight = 29;

int ViewWidth();             // 153, or 306 in double size
// (112,24) at normal size, (224,48) in double size.
POINT TitleOrigin(int doubled);
// (112,24,265,53) at normal size, (224,48,530,106) in double size: the part of
// the main window the player repaints to show its own title.
RECT TitleRepaintRect(int doubled);
// Hands that part of the main window to the player to repaint.
void RepaintTitleArea(int doubled);
