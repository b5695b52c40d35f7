// The texts the code hands to the platform itself (menu entries, the message
// box, the list items), in English, Traditional and Simplified Chinese. The
// Chinese texts are wide characters (this file is UTF-8); made into bytes of
// code page 950 the Traditional ones are the Big5 bytes the menu always had,
// the Simplified ones need code page 936.
#pragma once

struct UiText {
    const char* english;
    const wchar_t* traditional;
    const wchar_t* simplified;
};

// Chinese: one blank between the two characters, four trailing blanks.
constexpr UiText configureMenuCaption = {"Configure Qelvar Scrivane II...", L"配 置 Qelvar Scrivane II ...    ",
                                         L"配 置 Qelvar Scrivane II ...    "};
constexpr UiText aboutMenuCaption = {"About Qelvar Scrivane II...", L"關 於 Qelvar Scrivane II ...",
                                     L"关 于 Qelvar Scrivane II ..."};

// A host older than 2.04.
constexpr UiText tooOldHostText = {"Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated.",
                                   L"Qelvar Scrivane II 需要 Winamp 2.04 或更新的版本。\n外掛已終止。",
                                   L"Qelvar Scrivane II 需要 Winamp 2.04 或更高版本。\n插件已终止。"};
constexpr UiText tooOldHostCaption = {"ERROR!", L"錯誤!", L"错误!"};

// Every character other than ASCII of each Chinese language's texts: those
// above, the list items and the dialogs' own (gen_qlv.rc). A code page that
// lacks one of them would show a question mark in its place.
constexpr wchar_t traditionalCharacters[] =
    L"配置確定啟用外掛字型取消選套兩倍尺寸的文正常項自動捲速度圖點繪製透明顯示使顏色背景調整說類陰影撥放清單隱"
    L"蔽模式適平滑邊緣關於訊息聯絡歡迎任何建議和錯誤報告需要或更新版本。已終止最慢較快無細中粗";
constexpr wchar_t simplifiedCharacters[] =
    L"配置确定启用插件字体取消选择应双倍尺寸的文正常项自动滚速度像素绘制透明显示使皮肤颜色背景调整帮助类型阴影"
    L"播放列表精简模式适平滑边缘关于信息联系欢迎任何建议和错误报告。需要或更高版本已终止最慢较快无细中粗";
