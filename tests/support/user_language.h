// The language the plug-in should speak to this run's user, worked out from
// the interface language and the code page alone: Simplified Chinese for
// 2052 and 4100, Traditional for 1028, 3076 and 5124, as far as the code
// page carries the script (936 both, 950 the Traditional one, UTF-8 all),
// English otherwise.
#pragma once

#include <windows.h>

namespace testing_support {

enum Language { english, traditional, simplified };

inline Language ExpectedLanguage() {
    const LANGID ui = GetUserDefaultUILanguage();
    const UINT codePage = GetACP();
    const bool simplifiedUser = ui == 2052 || ui == 4100;
    const bool traditionalUser = ui == 1028 || ui == 3076 || ui == 5124;
    if (simplifiedUser && (codePage == 936 || codePage == CP_UTF8)) return simplified;
    if ((simplifiedUser || traditionalUser) && (codePage == 936 || codePage == 950 || codePage == CP_UTF8))
        return traditional;
    return english;
}

}  // namespace testing_support
