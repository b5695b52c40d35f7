// The user's language, looked up each time it is needed: a choice made at
// start-up would be the same, and there is nothing to keep in step.
#include "ui/language.h"

#include "player/host_contract.h"

namespace {

// GetUserDefaultUILanguage exists from Windows 2000 on; importing it would
// keep the module from loading on 95, 98 and ME, whose one language is the
// user's default.
LANGID UserInterfaceLanguage() {
    using Query = LANGID(WINAPI*)();
    const HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    const auto query = kernel ? reinterpret_cast<Query>(GetProcAddress(kernel, "GetUserDefaultUILanguage")) : nullptr;
    return query ? query() : GetUserDefaultLangID();
}

constexpr LANGID simplifiedLanguages[] = {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
                                          MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SINGAPORE)};
constexpr LANGID traditionalLanguages[] = {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
                                           MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_HONGKONG),
                                           MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_MACAU)};

template <size_t count>
bool OneOf(LANGID language, const LANGID (&languages)[count]) {
    for (LANGID one : languages)
        if (one == language) return true;
    return false;
}

// A code page that lacks one of a language's characters shows question
// marks, and then the next language reads better: code page 936 carries
// both Chinese ones, 950 only the Traditional, 1252 neither.
constexpr int probeBytes = 512;   // two bytes a character at most in every ANSI code page
static_assert(sizeof simplifiedCharacters / sizeof(wchar_t) * 2 <= probeBytes &&
                  sizeof traditionalCharacters / sizeof(wchar_t) * 2 <= probeBytes,
              "a character set too long to probe");

bool CodePageCarries(const wchar_t* characters) {
    char bytes[probeBytes];
    BOOL lost = FALSE;
    // UTF-8 carries every character, and refuses the question.
    if (GetACP() == CP_UTF8) return true;
    const int written = WideCharToMultiByte(CP_ACP, 0, characters, -1, bytes, sizeof bytes, nullptr, &lost);
    return written > 0 && !lost;
}

const wchar_t* ChineseText(const UiText& text, UiLanguage language) {
    return language == UiLanguage::simplified ? text.simplified : text.traditional;
}

}  // namespace

UiLanguage UserLanguage() {
    const LANGID language = UserInterfaceLanguage();
    const bool simplified = OneOf(language, simplifiedLanguages);
    if (simplified && CodePageCarries(simplifiedCharacters)) return UiLanguage::simplified;
    if ((simplified || OneOf(language, traditionalLanguages)) && CodePageCarries(traditionalCharacters))
        return UiLanguage::traditional;
    return UiLanguage::english;
}

LANGID ResourceLanguage() {
    switch (UserLanguage()) {
    case UiLanguage::simplified:
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    case UiLanguage::traditional:
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
    default:
        return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    }
}

const char* InUserLanguage(const UiText& text, char* buffer, int size) {
    const UiLanguage language = UserLanguage();
    if (language == UiLanguage::english) return text.english;
    if (WideCharToMultiByte(CP_ACP, 0, ChineseText(text, language), -1, buffer, size, nullptr, nullptr) <= 0)
        return text.english;
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
