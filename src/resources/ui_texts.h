// The texts the code hands to the platform itself (menu entries, the message
// box), in English and in Traditional Chinese. The Chinese texts are wide
// characters (this file is UTF-8); made into bytes of code page 950 they are
// the Big5 bytes the menu always had.
#pragma once

struct UiText {
    const char* english;
    const wchar_t* chinese;
};

// Chinese: one blank between the two characters, four trailing blanks.
constexpr UiText configureMenuCaption = {"Configure Qelvar Scrivane II...", L"配 置 Qelvar Scrivane II ...    "};
constexpr UiText aboutMenuCaption = {"About Qelvar Scrivane II...", L"關 於 Qelvar Scrivane II ..."};

// A host older than 2.04.
constexpr UiText tooOldHostText = {"Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated.",
                                   L"Qelvar Scrivane II 需要 Winamp 2.04 或更新的版本。\n外掛已終止。"};
constexpr UiText tooOldHostCaption = {"ERROR!", L"錯誤!"};
