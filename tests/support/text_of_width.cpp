// A text of an exact pixel width, found by summing single characters' widths.
#include "text_of_width.h"

#include <vector>

namespace testing_support {

std::string TextOfWidth(int width, const std::function<int(const std::string&)>& measure, char first, char last) {
    if (width < 0) return "";
    std::vector<int> charWidth(128, 0);
    for (char c = first; c <= last; ++c) charWidth[static_cast<unsigned char>(c)] = measure(std::string(1, c));
    std::vector<std::string> reach(width + 1);
    std::vector<bool> reached(width + 1, false);
    reached[0] = true;
    for (int sum = 0; sum < width; ++sum) {
        if (!reached[sum]) continue;
        for (char c = first; c <= last; ++c) {
            const int next = sum + charWidth[static_cast<unsigned char>(c)];
            if (next > sum && next <= width && !reached[next]) {
                reached[next] = true;
                reach[next] = reach[sum] + c;
            }
        }
    }
    return reached[width] && measure(reach[width]) == width ? reach[width] : "";
}

}  // namespace testing_support
