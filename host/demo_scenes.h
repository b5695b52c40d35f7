// The demo's two scripted runs, each into `folder` (skins, the plug-in and
// the pictures); 0 when every picture was saved. `readmeOnly` plays only the
// scenes whose pictures the README shows: the double-size Big5 title and the
// double-size one-bit and smooth twins, and the English configuration dialog.
#pragma once

#include <string>

namespace demo {

int RunDemo(const std::string& folder, bool readmeOnly = false);         // the 2.x player on code page 950
int RunModernDemo(const std::string& folder, bool readmeOnly = false);   // the 5.x player: Unicode windows and titles
// Both dialogs in this run's language, as dialog-config-<language>.png and dialog-about-<language>.png.
int RunDialogsDemo(const std::string& folder, const std::string& language);

}  // namespace demo
