// STUB: to be completed (plugin.ini store).
#include "settings/settings.h"
#include "display/surfaces.h"
SettingsSet storedSettings;
SettingsSet pendingSettings;
SettingsSet effectiveSettings;
void SettingsFilePath(char* path) { path[0] = '\0'; }
void LoadSettings() {
    storedSettings = SettingsSet{1, 1, 8, 4, 2, 0, 0, 0, 0, 8, 0, 0, "MS Sans Serif", 14, 1, 0, "MS Sans Serif",
                                 8, 0, 0, "MS Sans Serif", 0, RGB(0, 255, 0), 0, 0};
    pendingSettings = storedSettings;
    effectiveSettings = storedSettings;
}
void SaveSettings() {}
void CommitPending() {}
void RevertPending() {}
int PointsToHeight(int points) { return -MulDiv(points, logPixelsY, 72); }
int HeightToPoints(int height) { return -MulDiv(height, 72, logPixelsY); }
void CopyFaceName(char* field, const char* face) { lstrcpynA(field, face, faceNameSize); }
