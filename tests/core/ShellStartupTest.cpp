#include "shell/CommandLine.h"
#include "cardui/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace tl5;

namespace {

// A registry key in memory that records the order of reads and writes.
struct FakeRegistry {
    std::map<std::u16string, uint32_t> numbers;
    std::map<std::u16string, std::u16string> texts;
    std::vector<std::u16string> reads, writes;
    int opens = 0;
    bool openable = true;
};

class FakeKey : public SettingsKey {
public:
    explicit FakeKey(FakeRegistry& r) : r_(r) {}
    bool GetNumber(const char16_t* name, uint32_t* value) override {
        r_.reads.push_back(name);
        auto it = r_.numbers.find(name);
        if (it == r_.numbers.end()) return false;
        *value = it->second;
        return true;
    }
    bool GetText(const char16_t* name, std::u16string* text) override {
        r_.reads.push_back(name);
        auto it = r_.texts.find(name);
        if (it == r_.texts.end() || (it->second.size() + 1) * 2 > 512) return false;
        *text = it->second;
        return true;
    }
    bool SetNumber(const char16_t* name, uint32_t value) override {
        r_.writes.push_back(name);
        r_.numbers[name] = value;
        return true;
    }
    bool SetText(const char16_t* name, const std::u16string& text) override {
        r_.writes.push_back(name);
        r_.texts[name] = text;
        return true;
    }

private:
    FakeRegistry& r_;
};

SettingsKeyOpener OpenerFor(FakeRegistry& r) {
    return [&r](const std::u16string& path) -> std::unique_ptr<SettingsKey> {
        EXPECT_EQ(path, kSettingsKeyPath);
        ++r.opens;
        if (!r.openable) return nullptr;
        return std::make_unique<FakeKey>(r);
    };
}

Settings WithKey() {
    Settings s;
    s.keyPath = kSettingsKeyPath;
    return s;
}

}  // namespace

TEST(Settings, FirstRunUsesDefaultsRegistersOnceAndSavesInOrder) {
    FakeRegistry reg;
    Settings s = WithKey();
    int registrations = 0;
    LoadSettings(s, OpenerFor(reg), [&] { ++registrations; });
    EXPECT_EQ(registrations, 1);
    EXPECT_EQ(reg.numbers[u"Setup"], 6u);
    const std::vector<std::u16string> readOrder = {
        u"Count", u"Info", u"LangPref", u"FontMain", u"FontMainStyle", u"FontCard", u"FontCardFieldNmStyle",
        u"FontCardDataStyle", u"NoteFont", u"NoteFontStyle", u"NoteWrap", u"ClearType", u"NoteZoom",
        u"Color.BarStart", u"Color.BarEnd", u"Color.BarText", u"Color.FolderSpecial", u"Color.FolderForms",
        u"Pass.AutoOK", u"OpenLast", u"Clipboard.ClearSeconds", u"CloseOnLock", u"Setup", u"ExitMenu", u"MRU"};
    EXPECT_EQ(reg.reads, readOrder);
    EXPECT_EQ(s.count, 0u);
    EXPECT_EQ(s.fontMain, 9u);
    EXPECT_EQ(s.fontCardFieldNmStyle, 1u);
    EXPECT_EQ(s.colorBarStart, 0x00FEECDDu);
    EXPECT_EQ(s.colorBarEnd, 0x00E2A981u);
    EXPECT_EQ(s.colorFolderSpecial, 0x009933FFu);
    EXPECT_EQ(s.colorFolderForms, 0x00008000u);
    EXPECT_EQ(s.openLast, 1u);
    EXPECT_EQ(s.clipboardClearSeconds, 30u);
    EXPECT_EQ(s.closeOnLock, 1u);
    EXPECT_TRUE(s.mru.empty());

    reg.writes.clear();
    SaveSettings(s, OpenerFor(reg));
    const std::vector<std::u16string> writeOrder = {
        u"Count", u"Info", u"FontMain", u"FontMainStyle", u"FontCard", u"FontCardFieldNmStyle",
        u"FontCardDataStyle", u"NoteFont", u"NoteFontStyle", u"NoteWrap", u"MRU", u"NoteZoom", u"OpenLast",
        u"CloseOnLock", u"Version"};
    EXPECT_EQ(reg.writes, writeOrder);
    EXPECT_EQ(reg.numbers[u"Count"], 1u);
    EXPECT_EQ(reg.numbers[u"Version"], 500u);

    // The next start finds Setup = 6 and does not register again.
    Settings again = WithKey();
    LoadSettings(again, OpenerFor(reg), [&] { ++registrations; });
    EXPECT_EQ(registrations, 1);
    EXPECT_EQ(again.count, 1u);
}

TEST(Settings, ReadOnlyValuesSurviveResetAndSave) {
    FakeRegistry reg;
    reg.numbers = {{u"Count", 7}, {u"Setup", 6}, {u"Color.BarStart", 0x123456}, {u"ClearType", 0},
                   {u"ExitMenu", 1}, {u"Pass.AutoOK", 0}, {u"LangPref", 0x0407}, {u"FontMain", 12},
                   {u"FontMainStyle", 1}, {u"OpenLast", 0}, {u"Clipboard.ClearSeconds", 5},
                   {u"CloseOnLock", 0}};
    reg.texts[u"MRU"] = u"C:\\Wallets\\Personal.tl5";
    Settings s = WithKey();
    s.langPref = 0x0409;  // cleared before the read
    LoadSettings(s, OpenerFor(reg), {});
    EXPECT_EQ(s.count, 7u);
    EXPECT_EQ(s.colorBarStart, 0x123456u);
    EXPECT_EQ(s.clearType, 0u);
    EXPECT_EQ(s.exitMenu, 1u);
    EXPECT_EQ(s.clipboardClearSeconds, 5u);
    EXPECT_EQ(s.closeOnLock, 0u);
    EXPECT_EQ(s.langPref, 0x0407u);
    EXPECT_EQ(s.MainFontSize(), 12u);
    EXPECT_TRUE(s.MainFontBold());
    EXPECT_EQ(s.mru, u"C:\\Wallets\\Personal.tl5");

    // The reset word: defaults in memory, the key path kept; at exit the defaults reach the registry.
    s.ApplyDefaults();
    EXPECT_EQ(s.keyPath, kSettingsKeyPath);
    SaveSettings(s, OpenerFor(reg));
    EXPECT_EQ(reg.numbers[u"Count"], 1u);
    EXPECT_EQ(reg.texts[u"MRU"], u"");
    EXPECT_EQ(reg.numbers[u"FontMain"], 9u);
    EXPECT_EQ(reg.numbers[u"OpenLast"], 1u);
    EXPECT_EQ(reg.numbers[u"CloseOnLock"], 1u);
    for (const char16_t* readOnly : {u"Color.BarStart", u"ClearType", u"ExitMenu", u"Pass.AutoOK", u"LangPref",
                                     u"Color.BarEnd", u"Color.BarText", u"Color.FolderSpecial", u"Color.FolderForms"}) {
        for (const std::u16string& w : reg.writes) EXPECT_NE(w, readOnly);
    }
    EXPECT_EQ(reg.numbers[u"Color.BarStart"], 0x123456u);
    EXPECT_EQ(reg.numbers[u"ExitMenu"], 1u);
}

TEST(Settings, UnreadableValuesKeepTheFieldsAndNoKeyMeansNoChange) {
    FakeRegistry reg;
    reg.numbers[u"Setup"] = 6;
    reg.texts[u"MRU"] = std::u16string(256, u'x');  // more than 255 characters: not read
    Settings s = WithKey();
    s.mru = u"previous";
    LoadSettings(s, OpenerFor(reg), {});
    EXPECT_EQ(s.mru, u"previous");

    reg.texts[u"MRU"] = std::u16string(255, u'y');
    LoadSettings(s, OpenerFor(reg), {});
    EXPECT_EQ(s.mru, std::u16string(255, u'y'));

    FakeRegistry closed;
    closed.openable = false;
    Settings t = WithKey();
    t.fontMain = 11;
    LoadSettings(t, OpenerFor(closed), [] { ADD_FAILURE() << "registered without a key"; });
    EXPECT_EQ(t.fontMain, 11u);
    SaveSettings(t, OpenerFor(closed));  // the count still goes up in memory
    EXPECT_EQ(t.count, 1u);

    Settings noPath;  // empty key path: the key is never opened
    FakeRegistry untouched;
    LoadSettings(noPath, OpenerFor(untouched), {});
    SaveSettings(noPath, OpenerFor(untouched));
    EXPECT_EQ(untouched.opens, 0);
}

TEST(Settings, LastWalletAndFontSetters) {
    Settings s;
    s.SetLastWallet(u"\\My Documents\\a.tl5");
    EXPECT_EQ(s.LastWallet(), u"\\My Documents\\a.tl5");
    s.SetLastWallet(std::u16string(300, u'p').c_str());
    EXPECT_EQ(s.LastWallet().size(), 259u);
    s.SetLastWallet(nullptr);
    EXPECT_TRUE(s.LastWallet().empty());
    s.fontMainStyle = 6;
    s.SetMainFontBold(true);
    EXPECT_EQ(s.fontMainStyle, 7u);
    s.SetMainFontBold(false);
    EXPECT_EQ(s.fontMainStyle, 6u);
}

TEST(Settings, FileTypeRegistrationChains) {
    const auto chains = FileTypeRegistration(u"C:\\Apps\\ostrovtlpro5ppc.exe");
    ASSERT_EQ(chains.size(), 2u);
    ASSERT_EQ(chains[0].size(), 4u);
    EXPECT_EQ(chains[0][0].path, u".tl5");
    EXPECT_EQ(chains[0][0].value, u"TessellockPro5Document");
    EXPECT_EQ(chains[0][1].value, u"Tessellock Pro 5 Wallet");
    EXPECT_EQ(chains[0][2].path, u"TessellockPro5Document\\DefaultIcon");
    EXPECT_EQ(chains[0][2].value, u"C:\\Apps\\ostrovtlpro5ppc.exe,-201");
    EXPECT_EQ(chains[0][3].path, u"TessellockPro5Document\\Shell\\Open\\Command");
    EXPECT_EQ(chains[0][3].value, u"\"C:\\Apps\\ostrovtlpro5ppc.exe\" %1");
    EXPECT_EQ(chains[1][0].path, u".tlx");
    EXPECT_EQ(chains[1][0].value, u"TessellockPro5Form");
    EXPECT_EQ(chains[1][1].value, u"Tessellock Pro 5 Form Layout");
    EXPECT_EQ(chains[1][2].value, u"C:\\Apps\\ostrovtlpro5ppc.exe,-203");
}

TEST(CommandLine, HandShakeSuffixes) {
    struct Case { std::u16string line; StartRequest want; };
    const Case cases[] = {
        {u"", StartRequest::Start},
        {u"\\My Documents\\Personal.tl5", StartRequest::Start},
        {u"a.tlx", StartRequest::ExitAtOnce},
        {u"\\Temp\\FORM.TLX", StartRequest::ExitAtOnce},
        {u".tlx", StartRequest::Start},  // four characters: a path, not a hand-shake
        {u"SYNC_START", StartRequest::SyncStart},
        {u"anything before sync_start", StartRequest::SyncStart},
        {u"/x SYNC_END", StartRequest::SyncEnd},
        {u"SYNC_END ", StartRequest::Start},  // the word must end the line
        {u"SYNC_STARTED", StartRequest::Start},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyCommandLine(c.line), c.want) << std::string(c.line.begin(), c.line.end());
    }
}

TEST(CommandLine, FirstActionOpensAnExistingPathOrTheLastWallet) {
    const std::u16string existing = u"C:\\Wallets\\Personal.tl5";
    auto exists = [&](const std::u16string& p) { return p == existing; };
    Settings s;
    std::u16string pending;

    EXPECT_EQ(ChooseFirstAction(existing, s, exists, &pending), FirstAction::OpenWallet);
    EXPECT_EQ(pending, existing);
    pending.clear();
    EXPECT_EQ(ChooseFirstAction(u"\"" + existing + u"\"", s, exists, &pending), FirstAction::ShowWalletList);
    EXPECT_TRUE(pending.empty());

    s.mru = existing;
    s.openLast = 1;
    EXPECT_EQ(ChooseFirstAction(u"", s, exists, &pending), FirstAction::OpenWallet);
    EXPECT_EQ(pending, existing);
    pending.clear();
    s.openLast = 0;  // the last wallet exists but is not reopened
    EXPECT_EQ(ChooseFirstAction(u"", s, exists, &pending), FirstAction::ShowWalletList);
    s.openLast = 1;
    s.mru = u"C:\\Gone.tl5";
    EXPECT_EQ(ChooseFirstAction(u"", s, exists, &pending), FirstAction::ShowWalletList);
    EXPECT_TRUE(pending.empty());

    // A line too long for a path names no wallet, even when its first 259 characters name one.
    const std::u16string longName = u"C:\\" + std::u16string(256, u'w');
    const std::u16string longLine = longName + u"more";
    auto prefixExists = [&](const std::u16string& p) { return p == longName; };
    EXPECT_EQ(ChooseFirstAction(longName, s, prefixExists, &pending), FirstAction::OpenWallet);
    pending.clear();
    EXPECT_EQ(ChooseFirstAction(longLine, s, prefixExists, &pending), FirstAction::ShowWalletList);
    EXPECT_TRUE(pending.empty());
}
