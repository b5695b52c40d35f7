// The host's caption turned into the displayed title: tail trimmed, track
// length appended, separator added for the wrap-around scroll.
#include "display/title_text.h"

#include <cstring>

#include "display/surfaces.h"
#include "display/text_strip.h"
#include "plugin/host_contract.h"
#include "plugin/plugin_entry.h"
#include "settings/settings.h"

char titleText[titleTextSize] = "Qelvar Scrivane II 1.0";
static_assert(sizeof startupTitle <= titleTextSize, "start-up title fits");
int titleLength;
char timeSuffix[timeSuffixSize];
char displayText[displayTextSize];
int displayLength;
int overflow;

namespace {

enum class SuffixAction { rebuild, keep };

struct HostTail {
    char text[7];
    int removed;   // the tail's whole length, counted from the caption's end
    SuffixAction suffix;
};

// " - Winamp", " - Winamp [Paused]", " - Winamp [Stopped]", told apart by
// their last six characters.
constexpr HostTail hostTail[] = {
    {"Winamp", 9, SuffixAction::rebuild},
    {"aused]", 18, SuffixAction::keep},
    {"opped]", 19, SuffixAction::keep},
};
constexpr int tailCompared = 6;
constexpr int separatorLength = sizeof scrollSeparator - 1;

const HostTail* MatchingTail(const char* text, int length) {
    if (length < tailCompared) return nullptr;
    for (const HostTail& tail : hostTail)
        if (std::memcmp(text + length - tailCompared, tail.text, tailCompared) == 0) return &tail;
    return nullptr;
}

}  // namespace

int CharacterBoundary(const char* text, int limit) {
    if (!text) return 0;
    int at = 0;
    while (at < limit && text[at]) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[at]))) {
            // A lead byte counts only with its trail byte inside the limit;
            // a lead byte left dangling at the end is no character either.
            if (at + 1 >= limit || !text[at + 1]) break;
            at += 2;
        } else {
            ++at;
        }
    }
    return at;
}

void BuildTimeSuffix() {
    const int seconds = static_cast<int>(HostRequest(1, IPC_GETOUTPUTTIME));
    if (seconds <= 0) {
        timeSuffix[0] = '\0';
        return;
    }
    wsprintfA(timeSuffix, " <%d:%02d>", seconds / 60, seconds % 60);
}

void RefreshTitle() {
    if (!surfacesCreated) return;
    titleText[titleTextSize - 1] = '\0';
    // GetWindowTextA may have cut the caption inside a double-byte character.
    int length = CharacterBoundary(titleText, titleTextSize - 1);

    if (const HostTail* tail = MatchingTail(titleText, length)) {
        // A caption that is nothing but (part of) the host's tail leaves no title.
        length = CharacterBoundary(titleText, length > tail->removed ? length - tail->removed : 0);
        if (tail->suffix == SuffixAction::rebuild) BuildTimeSuffix();
    } else {
        timeSuffix[0] = '\0';
    }

    // The length is what the user came for: a title too long for both gives
    // up its own end, at a character boundary, rather than the suffix.
    const int suffixLength = lstrlenA(timeSuffix);
    if (length + suffixLength > titleTextSize - 1)
        length = CharacterBoundary(titleText, titleTextSize - 1 - suffixLength);
    std::memcpy(titleText + length, timeSuffix, suffixLength + 1);
    titleLength = length + suffixLength;

    BuildDisplayText();
    RenderStrip();
}

void BuildDisplayText() {
    if (!surfacesCreated) return;
    displayLength = titleLength < displayTextSize ? titleLength : displayTextSize - 1;
    std::memcpy(displayText, titleText, displayLength);
    displayText[displayLength] = '\0';
    overflow = TextOverflows();

    const SettingsSet& s = effectiveSettings;
    if (overflow && s.Scroll && s.ScrollType == 2) {
        // The separator marks the seam, so it goes in whole; a title too long
        // for both loses its end instead.
        if (displayLength + separatorLength > displayTextSize - 1)
            displayLength = CharacterBoundary(displayText, displayTextSize - 1 - separatorLength);
        std::memcpy(displayText + displayLength, scrollSeparator, separatorLength + 1);
        displayLength += separatorLength;
    }
    scrollOffset = 0;
    scrollDirection = 1;
    holdCount = 0;
}

int TextOverflows() {
    if (!surfacesCreated) return 0;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(textStrip.dc, displayText, displayLength, &extent);
    return extent.cx >= ViewWidth() ? 1 : 0;
}
