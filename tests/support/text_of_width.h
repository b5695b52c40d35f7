// A text of an exact pixel width, for cases at the edges of the view.
#pragma once

#include <functional>
#include <string>

namespace testing_support {

// Characters from `first` to `last` summed to `width` (a bitmap font has no
// kerning), then measured whole with `measure`; "" when no sum reaches it.
std::string TextOfWidth(int width, const std::function<int(const std::string&)>& measure, char first, char last);

}  // namespace testing_support
