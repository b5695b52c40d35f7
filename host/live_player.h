// The live player on a display, for a person (or, with `tour`, for a display
// nobody watches: the menu, the configuration and the About dialog opened
// from it by timed clicks and keys).
#pragma once

#include <string>

namespace demo {

// Until the main window closes, or for `seconds` when above 0.
int RunLive(const std::string& folder, int seconds, bool tour);

}  // namespace demo
