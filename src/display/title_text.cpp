// STUB: to be completed.
#include "display/title_text.h"
char titleText[titleTextSize] = "Qelvar Scrivane II 1.0";
int titleLength;
char timeSuffix[timeSuffixSize];
char displayText[displayTextSize];
int displayLength;
int overflow;
void RefreshTitle() {}
void BuildTimeSuffix() {}
void BuildDisplayText() {}
int TextOverflows() { return 0; }
int CharacterBoundary(const char*, int limit) { return limit; }
