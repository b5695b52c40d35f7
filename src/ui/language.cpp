// The user's language, looked up each time it is needed: a choice made at
// start-up would be the same, and there is nothing to keep in step.
#include "ui/language.h"

#include "player/host_contract.h"

namespace {

// Characters of the Chinese texts; a code page without them shows
// question marks, and then English reads better.
constexpr wchar_t chineseProbe[] = L"配置關於錯誤";

// GetUserDefaultUILanguage exists from Windows 2000 on; importing it would
// keep the module from loading on 95, 98 and ME, whose one language is the
// user's default.
LANGID UserInterfaceLanguage() {
    using Query = LANGID(WINAPI*)();
    const HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    const auto query = kernel ? reinterpret_cast<Query>(GetProcAddress(kernel, "GetUserDefaultUILanguage")) : nullptr;
    return query ? query() : GetUserDefaultLangID();
}

bool CodePageCarriesChinese() {
    char bytes[64];
    BOOL lost = FALSE;
    // UTF-8 carries every character, and refuses the question.
    if (GetACP() == CP_UTF8) return true;
    const int written = WideCharToMultiByte(CP_ACP, 0, chineseProbe, -1, bytes, sizeof bytes, nullptr, &lost);
    return written > 0 && !lost;
}

}  // namespace

bool SpeakChinese() {
    return PRIMARYLANGID(UserInterfaceLanguage()) == LANG_CHINESE && CodePageCarriesChinese();
}

LANGID ResourceLanguage() {
    return SpeakChinese() ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL)
                          : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

const char* InUserLanguage(const UiText& text, char* buffer, int size) {
    if (!SpeakChinese()) return text.english;
    if (WideCharToMultiByte(CP_ACP, 0, text.chinese, -1, buffer, size, nullptr, nullptr) <= 0) return text.english;
    buffer[size - 1] = '\0';
    return buffer;
}

// The loader would pick a template by the thread's locale, which is the
// user's formats, not the interface language: the template is found by
// language here. An ANSI dialog still, so its texts reach the procedure and
// the player in the code page they always did.
HWND CreateDialogInUserLanguage(int resourceId, HWND parent, DLGPROC procedure) {
    const HRSRC found = FindResourceExA(PluginModule(), RT_DIALOG, MAKEINTRESOURCEA(resourceId),
                                        ResourceLanguage());
    const HGLOBAL loaded = found ? LoadResource(PluginModule(), found) : nullptr;
    const void* dialogTemplate = loaded ? LockResource(loaded) : nullptr;
    if (!dialogTemplate)
        return CreateDialogParamA(PluginModule(), MAKEINTRESOURCEA(resourceId), parent, procedure, 0);
    return CreateDialogIndirectParamA(PluginModule(), static_cast<LPCDLGTEMPLATEA>(dialogTemplate), parent, procedure, 0);
}

int MessageInUserLanguage(HWND owner, const UiText& text, const UiText& caption, UINT style) {
    char textBytes[256];
    char captionBytes[64];
    return MessageBoxA(owner, InUserLanguage(text, textBytes, sizeof textBytes),
                       InUserLanguage(caption, captionBytes, sizeof captionBytes), style);
}
