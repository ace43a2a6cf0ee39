#include "cardui/Settings.h"

namespace tl5 {

void Settings::ApplyDefaults() {
    fontMain = 9;
    fontMainStyle = 0;
    fontCard = 9;
    fontCardFieldNmStyle = 1;
    fontCardDataStyle = 0;
    noteFont = 9;
    noteFontStyle = 0;
    noteWrap = 1;
    clearType = 1;
    exitMenu = 0;
    noteZoom = 9;
    colorBarStart = 0x00FEECDD;
    colorBarEnd = 0x00E2A981;
    colorBarText = 0;
    colorFolderSpecial = 0x009933FF;
    colorFolderForms = 0x00008000;
    passAutoOk = 1;
    openLast = 1;
    info = 0;
    count = 0;
    langPref = 0;
    clipboardClearSeconds = 30;
    closeOnLock = 1;
    mru.clear();
}

void Settings::SetLastWallet(const char16_t* path) {
    if (!path) {
        mru.clear();
        return;
    }
    mru = path;
    if (mru.size() > kMaxPath) mru.resize(kMaxPath);
}

Settings& AppSettings() {
    static Settings settings;
    return settings;
}

namespace {

struct NumberValue {
    const char16_t* name;
    uint32_t Settings::*field;
};

// Read before the file type check, in this order.
const NumberValue kReadFirst[] = {
    {u"Count", &Settings::count},
    {u"Info", &Settings::info},
    {u"LangPref", &Settings::langPref},
    {u"FontMain", &Settings::fontMain},
    {u"FontMainStyle", &Settings::fontMainStyle},
    {u"FontCard", &Settings::fontCard},
    {u"FontCardFieldNmStyle", &Settings::fontCardFieldNmStyle},
    {u"FontCardDataStyle", &Settings::fontCardDataStyle},
    {u"NoteFont", &Settings::noteFont},
    {u"NoteFontStyle", &Settings::noteFontStyle},
    {u"NoteWrap", &Settings::noteWrap},
    {u"ClearType", &Settings::clearType},
    {u"NoteZoom", &Settings::noteZoom},
    {u"Color.BarStart", &Settings::colorBarStart},
    {u"Color.BarEnd", &Settings::colorBarEnd},
    {u"Color.BarText", &Settings::colorBarText},
    {u"Color.FolderSpecial", &Settings::colorFolderSpecial},
    {u"Color.FolderForms", &Settings::colorFolderForms},
    {u"Pass.AutoOK", &Settings::passAutoOk},
    {u"OpenLast", &Settings::openLast},
    {u"Clipboard.ClearSeconds", &Settings::clipboardClearSeconds},
    {u"CloseOnLock", &Settings::closeOnLock},
};

// Written at exit before MRU, in this order.
const NumberValue kWriteFirst[] = {
    {u"Count", &Settings::count},
    {u"Info", &Settings::info},
    {u"FontMain", &Settings::fontMain},
    {u"FontMainStyle", &Settings::fontMainStyle},
    {u"FontCard", &Settings::fontCard},
    {u"FontCardFieldNmStyle", &Settings::fontCardFieldNmStyle},
    {u"FontCardDataStyle", &Settings::fontCardDataStyle},
    {u"NoteFont", &Settings::noteFont},
    {u"NoteFontStyle", &Settings::noteFontStyle},
    {u"NoteWrap", &Settings::noteWrap},
};

// Written after MRU.
const NumberValue kWriteLast[] = {
    {u"NoteZoom", &Settings::noteZoom},
    {u"OpenLast", &Settings::openLast},
    {u"CloseOnLock", &Settings::closeOnLock},
};

}  // namespace

void LoadSettings(Settings& settings, const SettingsKeyOpener& open, const std::function<void()>& registerFileTypes) {
    if (settings.keyPath.empty() || !open) return;
    std::unique_ptr<SettingsKey> key = open(settings.keyPath);
    if (!key) return;
    for (const NumberValue& v : kReadFirst) {
        if (v.field == &Settings::langPref) settings.langPref = 0;
        uint32_t value = 0;
        if (key->GetNumber(v.name, &value)) settings.*v.field = value;
    }
    uint32_t setup = 0;
    if (!key->GetNumber(u"Setup", &setup) || setup != kSetupDone) {
        if (registerFileTypes) registerFileTypes();
        key->SetNumber(u"Setup", kSetupDone);
    }
    uint32_t exitMenu = 0;
    if (key->GetNumber(u"ExitMenu", &exitMenu)) settings.exitMenu = exitMenu;
    std::u16string mru;
    if (key->GetText(u"MRU", &mru) && mru.size() <= kMruReadLimit) settings.mru = mru;
}

void SaveSettings(Settings& settings, const SettingsKeyOpener& open) {
    ++settings.count;
    if (settings.keyPath.empty() || !open) return;
    std::unique_ptr<SettingsKey> key = open(settings.keyPath);
    if (!key) return;
    for (const NumberValue& v : kWriteFirst) key->SetNumber(v.name, settings.*v.field);
    key->SetText(u"MRU", settings.mru);
    for (const NumberValue& v : kWriteLast) key->SetNumber(v.name, settings.*v.field);
    key->SetNumber(u"Version", kSettingsVersion);
}

std::vector<std::vector<FileTypeKey>> FileTypeRegistration(const std::u16string& applicationPath) {
    const std::u16string quoted = u"\"" + applicationPath + u"\"";
    auto chain = [&](const std::u16string& extension, const std::u16string& progId, const std::u16string& description,
                     const std::u16string& iconId) {
        return std::vector<FileTypeKey>{
            {extension, progId},
            {progId, description},
            {progId + u"\\DefaultIcon", applicationPath + u",-" + iconId},
            {progId + u"\\Shell\\Open\\Command", quoted + u" %1"},
        };
    };
    return {chain(u".tl5", u"TessellockPro5Document", u"Tessellock Pro 5 Wallet", u"201"),
            chain(u".tlx", u"TessellockPro5Form", u"Tessellock Pro 5 Form Layout", u"203")};
}

}  // namespace tl5
