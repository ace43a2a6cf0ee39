// The per-user preferences of the application: one record in memory, read from the registry at
// start-up and partly written back at a normal exit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tl5 {

// The registry key of the settings under the current user.
inline constexpr char16_t kSettingsKeyPath[] = u"SOFTWARE\\Ostrova Works\\Tessellock Pro 5";
// `Setup` holds this value once the file types are registered.
constexpr uint32_t kSetupDone = 6;
// `Version` written at every exit.
constexpr uint32_t kSettingsVersion = 500;
// The longest `MRU` text that is read back (characters, without terminator); longer values fail to read.
constexpr size_t kMruReadLimit = 255;
// The longest path kept in `MRU` (characters).
constexpr size_t kMaxPath = 259;

struct Settings {
    Settings() { ApplyDefaults(); }

    // Every field back to its default; the key path stays.
    void ApplyDefaults();

    uint32_t fontMain;             // FontMain
    uint32_t fontMainStyle;        // FontMainStyle, bit 0 bold
    uint32_t fontCard;             // FontCard
    uint32_t fontCardFieldNmStyle; // FontCardFieldNmStyle
    uint32_t fontCardDataStyle;    // FontCardDataStyle
    uint32_t noteFont;             // NoteFont
    uint32_t noteFontStyle;        // NoteFontStyle
    uint32_t noteWrap;             // NoteWrap
    uint32_t clearType;            // ClearType (read only)
    uint32_t exitMenu;             // ExitMenu (read only)
    uint32_t noteZoom;             // NoteZoom
    uint32_t colorBarStart;        // Color.BarStart (read only)
    uint32_t colorBarEnd;          // Color.BarEnd (read only)
    uint32_t colorBarText;         // Color.BarText (read only)
    uint32_t colorFolderSpecial;   // Color.FolderSpecial (read only)
    uint32_t colorFolderForms;     // Color.FolderForms (read only)
    uint32_t passAutoOk;           // Pass.AutoOK (read only)
    uint32_t openLast;             // OpenLast
    uint32_t info;                 // Info, bit 0: welcome message at every start
    uint32_t count;                // Count, normal exits so far
    uint32_t langPref;             // LangPref (read only), low 16 bits a language id
    uint32_t clipboardClearSeconds; // Clipboard.ClearSeconds (read only): a copied secret leaves the
                                    // clipboard after this many seconds; 0 keeps it
    uint32_t closeOnLock;          // CloseOnLock: a wallet with an auto-close period closes when the
                                   // session is locked or the computer suspends (not 0: on)
    std::u16string mru;            // MRU, the last wallet opened

    std::u16string keyPath;        // empty: nothing is read or written

    uint32_t MainFontSize() const { return fontMain; }
    bool MainFontBold() const { return (fontMainStyle & 1) != 0; }
    uint32_t CardFontSize() const { return fontCard; }
    const std::u16string& LastWallet() const { return mru; }
    void SetMainFontSize(uint32_t size) { fontMain = size; }
    void SetMainFontBold(bool bold) { fontMainStyle = bold ? (fontMainStyle | 1u) : (fontMainStyle & ~1u); }
    void SetCardFontSize(uint32_t size) { fontCard = size; }
    // Copies the path into MRU (at most kMaxPath characters); null empties it.
    void SetLastWallet(const char16_t* path);
};

// The record of this process.
Settings& AppSettings();

// An open settings key. Reads that fail (missing value, wrong type, text too long) return false and
// leave the output alone.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    virtual bool GetNumber(const char16_t* name, uint32_t* value) = 0;
    // Reads at most 512 bytes including the terminator.
    virtual bool GetText(const char16_t* name, std::u16string* text) = 0;
    virtual bool SetNumber(const char16_t* name, uint32_t value) = 0;
    virtual bool SetText(const char16_t* name, const std::u16string& text) = 0;
};

// Opens (creating when missing) the key at a path; null when it cannot be opened.
using SettingsKeyOpener = std::function<std::unique_ptr<SettingsKey>(const std::u16string& keyPath)>;

// Reads the values in their fixed order. When `Setup` is not kSetupDone, `registerFileTypes` runs and
// `Setup` is written. With an empty key path or a key that cannot be opened nothing changes.
void LoadSettings(Settings& settings, const SettingsKeyOpener& open, const std::function<void()>& registerFileTypes);

// Increments `Count`, then writes the values that belong to the user's run, and `Version`.
void SaveSettings(Settings& settings, const SettingsKeyOpener& open);

// One registry key of the file type registration and its default text value.
struct FileTypeKey {
    std::u16string path;
    std::u16string value;
};
// The two chains (wallet files ".tl5", form files ".tlx"); in a chain a key is only written when the
// one before it could be created.
std::vector<std::vector<FileTypeKey>> FileTypeRegistration(const std::u16string& applicationPath);

}  // namespace tl5
