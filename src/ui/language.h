// The language the menu entries, dialogs, list items and messages speak: the
// user's interface language, Traditional Chinese for any Chinese one and
// English for every other.
#pragma once
#include <windows.h>

#include "resources/ui_texts.h"

// True when the user's interface language is Chinese and the ANSI code page
// carries Traditional Chinese characters (950, but also 936 and UTF-8).
bool SpeakChinese();
// The language of the resources to load: 1028 or 1033.
LANGID ResourceLanguage();
// `text` in the user's language, as bytes of the ANSI code page, in
// `buffer` (`size` bytes) when it is the Chinese one.
const char* InUserLanguage(const UiText& text, char* buffer, int size);
// A modeless dialog from template `resourceId` in the user's language, or
// the module's default template when that language has none.
HWND CreateDialogInUserLanguage(int resourceId, HWND parent, DLGPROC procedure);
int MessageInUserLanguage(HWND owner, const UiText& text, const UiText& caption, UINT style);
