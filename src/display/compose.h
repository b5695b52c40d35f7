// Each frame put together off-screen and copied onto the host's title area.
#pragma once

void ComposeFrame();
void AddShadow(int depth);
void PresentFrame();
