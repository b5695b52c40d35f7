// The stored settings and the plugin.ini store.
#include "settings/settings.h"

#include <cstring>

#include "player/host_contract.h"
#include "settings/characters.h"
#include "settings/colour_text.h"

namespace {

SettingsStore store;

constexpr char settingsFileName[] = "plugin.ini";
constexpr char playerSettingsTail[] = "Plugins\\plugin.ini";   // under the player's settings folder

// The writer puts PE_Scrivane after Shadow and each face before its size,
// bold and italic keys; positions in settingsKeys.
constexpr int writeOrder[settingsKeyCount] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 21, 12, 9, 10, 11, 16, 13, 14, 15, 20, 17, 18, 19, 22, 23, 24, 25,
};

int& IntegerField(SettingsSet& settings, const SettingKey& key) {
    return *reinterpret_cast<int*>(reinterpret_cast<char*>(&settings) + key.field);
}
const int& IntegerField(const SettingsSet& settings, const SettingKey& key) {
    return *reinterpret_cast<const int*>(reinterpret_cast<const char*>(&settings) + key.field);
}
char* FaceField(SettingsSet& settings, const SettingKey& key) {
    return reinterpret_cast<char*>(&settings) + key.field;
}
const char* FaceField(const SettingsSet& settings, const SettingKey& key) {
    return reinterpret_cast<const char*>(&settings) + key.field;
}
COLORREF& ColourField(SettingsSet& settings, const SettingKey& key) {
    return *reinterpret_cast<COLORREF*>(reinterpret_cast<char*>(&settings) + key.field);
}
COLORREF ColourField(const SettingsSet& settings, const SettingKey& key) {
    return *reinterpret_cast<const COLORREF*>(reinterpret_cast<const char*>(&settings) + key.field);
}

void FormatValue(const SettingsSet& settings, const SettingKey& key, char* text) {
    switch (key.form) {
    case SettingForm::Integer: wsprintfA(text, "%d", IntegerField(settings, key)); break;
    case SettingForm::Face: wsprintfA(text, "%.31s", FaceField(settings, key)); break;
    case SettingForm::Colour: FormatColour(ColourField(settings, key), text); break;
    }
}

// Any key of our section counts; an empty section has nothing to carry over.
bool HasOwnSection(const char* path) {
    char keys[4];
    return GetPrivateProfileStringA(displayName, nullptr, "", keys, sizeof keys, path) > 0;
}

// The folder that holds the file, made when missing: the player's "Plugins"
// folder may have been taken away since the start.
void MakeSettingsFolder(const char* path) {
    char folder[settingsPathSize];
    lstrcpynA(folder, path, settingsPathSize);
    const int end = lstrlenA(folder) - static_cast<int>(sizeof settingsFileName);   // the backslash before the name
    if (end <= 0 || folder[end] != '\\') return;
    folder[end] = '\0';
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) CreateDirectoryA(folder, nullptr);
}

}  // namespace

const SettingsSet& StoredSettings() { return store.storedSettings; }

void ResetStoredSettings() {
    store = SettingsStore{};
}

#ifdef QLV_WHITEBOX
SettingsStore& SettingsStoreForTest() { return store; }
#endif

int SettingKeyIndex(const char* name) {
    for (int i = 0; i < settingsKeyCount; ++i)
        if (lstrcmpA(settingsKeys[i].name, name) == 0) return i;
    return -1;
}

void ModuleSettingsPath(char* path) {
    BesideModule(settingsFileName, path, settingsPathSize);
}

namespace {

// Only a full path names the same folder wherever the player stands: a drive
// and a separator (C:\ or C:/), or a network share (\\server\share).
// AppData\Rel, \Rel and C:Rel hang on the current folder or drive,
// which the player may change at any time.
bool IsFullPath(const char* folder) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const char drive = static_cast<char>(folder[0] | 0x20);
    if (drive >= 'a' && drive <= 'z') return folder[1] == ':' && separator(folder[2]);
    return separator(folder[0]) && separator(folder[1]) && folder[2] && !separator(folder[2]);
}

// plugin.ini under the player's settings folder, or false where the answer
// names, by its form alone, no folder the file can go under: a relative one,
// or one too long for the path (a cut name would be some other file). The
// name lives in the player's memory: it is read no further than a path can
// reach. Forward slashes, which the file functions take as separators,
// become backslashes, so the path has one form for finding its folder and
// its file name.
bool PlayerSettingsPath(const char* folder, char* path) {
    int length = 0;
    while (length < settingsPathSize && folder[length] != '\0') ++length;
    const int tail = static_cast<int>(sizeof playerSettingsTail);
    if (length == 0 || length + tail > settingsPathSize || !IsFullPath(folder)) return false;
    lstrcpynA(path, folder, length + 1);
    // '/' is never the second byte of a double-byte character.
    for (char* at = path; *at; ++at)
        if (*at == '/') *at = '\\';
    const char* last = CharPrevA(path, path + length);
    const int separator = last == path + length - 1 && *last == '\\' ? 0 : 1;
    if (length + separator + tail > settingsPathSize) {
        path[0] = '\0';
        return false;
    }
    if (separator) lstrcpyA(path + length, "\\");
    lstrcpyA(path + length + separator, playerSettingsTail);
    return true;
}

// Whether plugin.ini at `path` (<settings folder>\Plugins\plugin.ini) can
// be kept there, as the file functions answer: "Plugins" is a folder or can
// be made (which needs a settings folder that is a folder, parents and all,
// and the right to write in it), and the file there can be opened for
// writing. A file the user made read-only is theirs to lock: it is read and
// left as it is. A file another program holds for the moment is there and
// will be written once it lets go. A missing file is made only to learn that
// it can be, and removed again; "Plugins" made here and then of no use is
// removed too, so nothing is left under a folder that cannot hold the file.
bool CanHoldSettingsFile(const char* path) {
    char plugins[settingsPathSize];
    lstrcpynA(plugins, path, settingsPathSize);
    plugins[lstrlenA(plugins) - static_cast<int>(sizeof settingsFileName)] = '\0';
    const DWORD folder = GetFileAttributesA(plugins);
    bool made = false;
    if (folder == INVALID_FILE_ATTRIBUTES) {
        if (!CreateDirectoryA(plugins, nullptr)) return false;
        made = true;
    } else if (!(folder & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    bool holds = false;
    const DWORD file = GetFileAttributesA(path);
    if (file != INVALID_FILE_ATTRIBUTES && (file & FILE_ATTRIBUTE_DIRECTORY)) {
        // a folder in the file's place: nothing can be kept there
    } else if (file != INVALID_FILE_ATTRIBUTES && (file & FILE_ATTRIBUTE_READONLY)) {
        holds = true;
    } else {
        // OPEN_ALWAYS never cuts a file that is there, and nothing is written.
        const HANDLE probe = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
            CloseHandle(probe);
            if (!existed) DeleteFileA(path);
            holds = true;
        } else {
            holds = GetLastError() == ERROR_SHARING_VIOLATION;
        }
    }
    if (!holds && made) RemoveDirectoryA(plugins);
    return holds;
}

}  // namespace

// A player that runs "as invoker" cannot write beside a module under Program
// Files, so what was saved there would be gone at the next start: where the
// player names a settings folder, its plug-ins keep their files in its
// "Plugins" folder. An answer that names no folder that can hold the file is
// no answer: the file beside the module is read and written, as with the 2.x
// player, rather than every save going where none can arrive.
int SettingsFilePath(char* path) {
    path[0] = '\0';
    const LRESULT answer = HostRequest(0, IPC_GETINIDIRECTORY);
    const char* folder = HostAnswered(answer) ? reinterpret_cast<const char*>(answer) : "";
    if (PlayerSettingsPath(folder, path) && CanHoldSettingsFile(path)) return 1;
    ModuleSettingsPath(path);
    return 0;
}

// The text buffers start cleared: under a double-byte code page the profile
// reader leaves a byte unwritten where a character does not fit (a colour
// whose ninth byte is a lead byte keeps byte 8 as it was), and what is read
// must never depend on what the buffer held before.
void ReadSettingKey(const char* file, const char* section, const SettingKey& key,
                    const SettingsSet& fallback, SettingsSet& target) {
    switch (key.form) {
    case SettingForm::Integer:
        IntegerField(target, key) = static_cast<int>(
            GetPrivateProfileIntA(section, key.name, IntegerField(fallback, key), file));
        break;
    case SettingForm::Face: {
        char face[faceReadSize] = {};
        char fallbackFace[faceNameSize];
        CopyFaceName(fallbackFace, FaceField(fallback, key));
        GetPrivateProfileStringA(section, key.name, fallbackFace, face, sizeof face, file);
        face[sizeof face - 1] = '\0';
        CopyFaceName(FaceField(target, key), face);
        break;
    }
    case SettingForm::Colour: {
        char text[colourTextSize] = {};
        char fallbackText[colourTextSize];
        FormatColour(ColourField(fallback, key), fallbackText);
        GetPrivateProfileStringA(section, key.name, fallbackText, text, sizeof text, file);
        text[sizeof text - 1] = '\0';
        ColourField(target, key) = ParseColour(text);
        break;
    }
    }
}

// The file is chosen once, here: every save goes where the settings were
// found to be kept. Settings that an earlier version kept beside the module
// are read from there until the first save puts them in the player's folder;
// the old file stays as it is.
void LoadSettings() {
    char path[settingsPathSize];
    const int inPlayerFolder = SettingsFilePath(store.filePath);
    lstrcpyA(path, store.filePath);
    if (inPlayerFolder && !HasOwnSection(path)) {
        char beside[settingsPathSize];
        ModuleSettingsPath(beside);
        if (beside[0] != '\0' && HasOwnSection(beside)) lstrcpyA(path, beside);
    }
    store.storedSettings = defaultSettings;
    if (path[0] != '\0') {
        for (const SettingKey& key : settingsKeys)
            ReadSettingKey(path, displayName, key, defaultSettings, store.storedSettings);
    }
}

// Each key goes by its own write, so a key the platform refuses costs only
// that key; the rest of the file (other sections included) stays as it was.
// A refused key stays in force and goes again with every later save; the
// file chosen at load is kept, since a second file would disagree with it
// and the next start reads the first.
bool SaveSettings() {
    const char* path = store.filePath;
    if (path[0] == '\0') return false;
    // A file the user made read-only is left as it is, also where the
    // platform would let the profile writer replace it anyway.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    if (attributes == INVALID_FILE_ATTRIBUTES) MakeSettingsFolder(path);
    char text[valueTextSize];
    bool saved = true;
    for (int position : writeOrder) {
        const SettingKey& key = settingsKeys[position];
        FormatValue(store.storedSettings, key, text);
        if (!WritePrivateProfileStringA(displayName, key.name, text, path)) saved = false;
    }
    return saved;
}

// The font fields come from the user's own font records (the dialog copies
// them in first), never from the drawing records: under a skin with fonts of
// its own those hold the skin's.
void CommitPending(const SettingsSet& pending) {
    store.storedSettings = pending;
    int pixel = pending.ScrollPixel;
    if (pixel < scrollPixelMin) pixel = scrollPixelMin;
    if (pixel > scrollPixelMax) pixel = scrollPixelMax;
    store.storedSettings.ScrollPixel = pixel;
}

void CopyFaceName(char* field, const char* face) {
    const int length = CharacterBoundary(face, faceNameSize - 1);
    memmove(field, face, static_cast<size_t>(length));
    field[length] = '\0';
}
