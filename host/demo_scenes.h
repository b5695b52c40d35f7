// The demo's two scripted runs, each into `folder` (skins, the plug-in and
// the pictures); 0 when every picture was saved.
#pragma once

#include <string>

namespace demo {

int RunDemo(const std::string& folder);         // the 2.x player on code page 950
int RunModernDemo(const std::string& folder);   // the 5.x player: Unicode windows and titles
// Both dialogs in this run's language, as dialog-config-<language>.png and dialog-about-<language>.png.
int RunDialogsDemo(const std::string& folder, const std::string& language);

}  // namespace demo
