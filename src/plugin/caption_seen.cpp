// The last caption the player set, kept as it came, to tell a caption set
// again from a new one without asking the player anything.
#include "plugin/caption_seen.h"

#include <type_traits>

namespace {

SeenCaption seen;

template <typename Char>
int Units(const Char* text) {
    int length = 0;
    while (length <= captionKept && text[length]) ++length;
    return length;
}

template <typename Char>
int SameAsSeen(const Char* text, int length, int wide) {
    if (!seen.known || seen.wide != wide || seen.length != length) return 0;
    for (int i = 0; i < length; ++i)
        if (seen.units[i] != static_cast<wchar_t>(static_cast<typename std::make_unsigned<Char>::type>(text[i])))
            return 0;
    return 1;
}

template <typename Char>
int SetAgain(const Char* text, int wide) {
    const int length = Units(text);
    if (SameAsSeen(text, length, wide)) return 1;
    seen.known = length <= captionKept ? 1 : 0;
    seen.wide = wide;
    seen.length = seen.known ? length : 0;
    for (int i = 0; i < seen.length; ++i)
        seen.units[i] = static_cast<wchar_t>(static_cast<typename std::make_unsigned<Char>::type>(text[i]));
    return 0;
}

}  // namespace

int CaptionSetAgain(LPARAM text, int wide) {
    static const char empty[] = "";
    if (wide) return SetAgain(text ? reinterpret_cast<const wchar_t*>(text) : L"", 1);
    return SetAgain(text ? reinterpret_cast<const char*>(text) : empty, 0);
}

void ForgetCaption() {
    seen = SeenCaption{};
}

#ifdef QLV_WHITEBOX
SeenCaption& CaptionSeenForTest() { return seen; }
#endif
