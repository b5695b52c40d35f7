// The two entries appended to the host's main menu, as Big5 bytes: the host's
// menu is ANSI and Traditional Chinese users run code page 950, so the bytes
// go to AppendMenuA unchanged whatever code page this file is compiled in.
#pragma once

// "配 置 Qelvar Scrivane II ...    " (configure; four trailing blanks)
constexpr char configureMenuCaption[] = "\xb0\x74 \xb8\x6d Qelvar Scrivane II ...    ";
// "關 於 Qelvar Scrivane II ..." (about)
constexpr char aboutMenuCaption[] = "\xc3\xf6 \xa9\xf3 Qelvar Scrivane II ...";

static_assert(sizeof configureMenuCaption == 33, "Big5 caption bytes");
static_assert(sizeof aboutMenuCaption == 29, "Big5 caption bytes");
