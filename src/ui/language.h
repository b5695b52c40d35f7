// The language the menu entries, dialogs, list items, messages and help page
// speak: the user's interface language when it is Simplified or Traditional
// Chinese and the ANSI code page carries its texts, English otherwise.
#pragma once
#include <windows.h>

#include "resources/ui_texts.h"

// In the order of helpPageNames and the like, which index by it.
enum class UiLanguage { english, traditional, simplified };

// Simplified for 2052 and 4100, Traditional for 1028, 3076 and 5124, English
// for every other; a Chinese language whose texts the code page cannot carry
// falls back from Simplified to Traditional to English.
UiLanguage UserLanguage();
// The language of the resources to load: 2052, 1028 or 1033.
LANGID ResourceLanguage();
// `text` in the user's language, as bytes of the ANSI code page, in
// `buffer` (`size` bytes) when it is a Chinese one.
const char* InUserLanguage(const UiText& text, char* buffer, int size);
// A modeless dialog from template `resourceId` in the user's language, or
// the module's default template when that language has none.
HWND CreateDialogInUserLanguage(int resourceId, HWND parent, DLGPROC procedure);
int MessageInUserLanguage(HWND owner, const UiText& text, const UiText& caption, UINT style);
