#include "exchange/LegacyConversion.h"
#include "model/BuiltInForm.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "platform/ExchangeServices.h"
#include "platform/Text.h"
#include "platform/MemoryFile.h"
#include "resources/StringTable.h"
#include "tests/core/ExchangeLegacyWriter.h"
#include "tests/core/ExchangeTestFiles.h"

#include <gtest/gtest.h>

using namespace tl5;
using namespace tl5::testing;

namespace {

const std::string kDefinitions =
    "<OstrovaWorksTessellockCustomForms.1>\r\n"
    "<MyForm>\r\nLocker\r\n1001\r\n7\r\n"
    "2 TLF_PIN Combination\r\n3 TLF_DEFAULT Where\r\n4 TLF_TEL Phone\r\n5 TLF_DATE Since\r\n"
    "<EndForm>\r\n";

struct Converted {
    std::vector<ItemRecord> folders;
    std::vector<std::u16string> folderNames;
    std::vector<std::unique_ptr<Card>> cards;
    std::vector<std::u16string> cardNames;
};

Converted ReadBack(MemoryFileSystem& fs, const std::u16string& path, const std::u16string& password) {
    Converted out;
    Wallet w(fs);
    EXPECT_EQ(w.Open(path, &password, true), kOpenOk);
    for (size_t i = 0; i < w.ItemCount(); ++i) {
        if (w.ItemAt(i).Kind() == kItemKindFolder) {
            out.folders.push_back(w.ItemAt(i));
            out.folderNames.push_back(w.ItemAt(i).Name());
        }
        if (w.ItemAt(i).Kind() == kItemKindCard) {
            out.cards.push_back(w.LoadCard(i));
            out.cardNames.push_back(out.cards.back()->Record().Name());
        }
    }
    w.Close(false);
    return out;
}

std::u16string S(uint32_t id) { return StringTableLookup(id); }

}  // namespace

TEST(ExchangeLegacyConversion, ConvertsFoldersCardsAndEveryMapping) {
    LegacyWalletWriter w(u"legacy-pw", true, u"forms.tcd");
    w.AddFolder(10, u"Banking", 510, 44);
    w.AddFolder(11, u"Other", 999, 45);   // no built-in form with that key: form 0
    const BuiltInForm* bank = BuiltInFormByKey(510);
    ASSERT_NE(bank, nullptr);
    LegacyCardDraft c;
    c.key = 1;
    c.folderKey = 10;
    c.formKey = 510;
    c.icon = 12;
    c.name = u"Visa";
    c.boldFlags = 2;
    c.textColour = 0x00102030;
    c.backgroundColour = 0x00405060;
    c.imageWord = 1;
    c.soundFlags = 1;
    c.tags = {{bank->fields[1].key, LegacyText(u"4711")},
              {bank->fields[0].key, LegacyText(u"J. Smith")},
              {kLegacyTagNotes, LegacyText(u"call first")},
              {kLegacyTagImageFormat, LegacyU32(2)},
              {kLegacyTagImage, "GIF89a"},
              {kLegacyTagImageName, LegacyText(u"C:\\pics\\logo.gif")},
              {kLegacyTagSound, "RIFF"},
              {kLegacyTagSoundName, LegacyText(u"ding.wav")}};
    w.AddCard(c);
    LegacyCardDraft locker;
    locker.key = 2;
    locker.folderKey = 11;
    locker.formKey = 1001;
    locker.icon = 7;
    locker.name = u"Gym";
    locker.encrypt = false;
    locker.boldFlags = 1;
    locker.tags = {{2, LegacyText(u"12-34-56")}, {5, LegacyText(u"2001-01-01")}};
    w.AddCard(locker);
    LegacyCardDraft unknown = locker;
    unknown.key = 3;
    unknown.formKey = 4242;
    unknown.name = u"Unknown form";
    w.AddCard(unknown);
    LegacyCardDraft orphan = locker;
    orphan.key = 4;
    orphan.folderKey = 99;
    orphan.name = u"No folder";
    w.AddCard(orphan);
    LegacyCardDraft empty;
    empty.key = 5;
    empty.folderKey = 10;
    empty.formKey = 520;  // form 19: three fields
    empty.name = u"Blank";
    empty.textColour = 0x00FFFFFF;
    w.AddCard(empty);

    MemoryFileSystem fs;
    fs.SetContents(u"/d/old.wal", w.Bytes());
    fs.SetContents(u"/defs/forms.tcd", kDefinitions);
    std::u16string newPath;
    ASSERT_EQ(ConvertLegacyWallet(fs, u"/d/old.wal", u"legacy-pw", &newPath, u"/defs/forms.tcd"), kConvertOk);
    EXPECT_EQ(newPath, u"/d/old.tl5");
    EXPECT_EQ(fs.Contents(u"/d/old.wal"), w.Bytes());  // the legacy file is untouched

    Converted out = ReadBack(fs, newPath, u"legacy-pw");
    ASSERT_EQ(out.folders.size(), 2u);
    EXPECT_EQ(out.folderNames[0], u"Banking");
    EXPECT_EQ(out.folders[0].Icon(), 44);
    int number = -1;
    EXPECT_TRUE(out.folders[0].DefaultForm().IsBuiltIn(&number));
    EXPECT_EQ(number, BuiltInFormNumberOfKey(510));
    EXPECT_TRUE(out.folders[1].DefaultForm().IsBuiltIn(&number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(out.folders[0].IsTopLevel());

    ASSERT_EQ(out.cards.size(), 4u);  // the card without a folder is not converted
    const Card& visa = *out.cards[0];
    EXPECT_EQ(out.cardNames[0], u"Visa");
    EXPECT_EQ(visa.Record().Parent(), out.folders[0].Id());
    EXPECT_EQ(visa.Record().Icon(), 12);
    ASSERT_EQ(visa.FieldCount(), bank->fieldCount + 1);
    EXPECT_EQ(visa.FieldAt(0)->Value(), u"J. Smith");
    EXPECT_EQ(visa.FieldAt(0)->Name(), S(bank->fields[0].labelString));
    EXPECT_EQ(visa.FieldAt(1)->Type(), FT_PASSWORD);  // the PIN template
    EXPECT_EQ(visa.FieldAt(1)->Value(), u"4711");
    EXPECT_EQ(visa.FieldAt(0)->Type(), FT_TEXT_CAPFIRST);  // kind 2
    const Field* notes = visa.FieldAt(bank->fieldCount);
    EXPECT_EQ(notes->Type(), FT_TEXT_CAPFIRST);
    EXPECT_EQ(notes->Name(), S(kStrNotesFieldName));
    EXPECT_EQ(notes->Value(), u"call first");
    EXPECT_EQ(visa.Image().format, kImageGif);
    EXPECT_EQ(visa.Image().fileName, u"logo.gif") << "stored without the old device's folder";
    EXPECT_EQ(visa.Image().bytes.data.size(), 6u);
    EXPECT_EQ(visa.Sound().fileName, u"ding.wav");
    EXPECT_EQ(visa.Sound().format, kSoundWav);
    EXPECT_EQ(visa.Head().words[CardHead::kNamesBold], 1u);
    EXPECT_EQ(visa.Head().words[CardHead::kDataBold], 0u);
    EXPECT_EQ(visa.Head().words[CardHead::kDataColour], 0x00102030u);
    EXPECT_EQ(visa.Head().words[CardHead::kNameColour], 0x00102030u);
    EXPECT_EQ(visa.Head().words[CardHead::kBackgroundColour], 0x00405060u);

    const Card& blank = *out.cards[1];  // cards follow their folders: Banking's second card
    EXPECT_EQ(out.cardNames[1], u"Blank");
    ASSERT_EQ(blank.FieldCount(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(blank.FieldAt(i)->Value().empty());
    EXPECT_EQ(blank.Head(), CardHead::Defaults());  // no data: the defaults stay

    const Card& gym = *out.cards[2];
    EXPECT_EQ(gym.Record().Parent(), out.folders[1].Id());
    ASSERT_EQ(gym.FieldCount(), 4u);
    EXPECT_EQ(gym.FieldAt(0)->Type(), FT_PASSWORD);
    EXPECT_EQ(gym.FieldAt(0)->Name(), u"Combination");
    EXPECT_EQ(gym.FieldAt(0)->Value(), u"12-34-56");
    EXPECT_EQ(gym.FieldAt(1)->Type(), FT_TEXT);
    EXPECT_EQ(gym.FieldAt(2)->Type(), FT_PHONE);
    EXPECT_EQ(gym.FieldAt(3)->Type(), FT_TEXT_CAPFIRST);  // a legacy date keeps its text
    EXPECT_EQ(gym.FieldAt(3)->Value(), u"2001-01-01");
    EXPECT_EQ(gym.Head().words[CardHead::kDataBold], 1u);

    const Card& unknownCard = *out.cards[3];
    EXPECT_EQ(out.cardNames[3], u"Unknown form");
    EXPECT_EQ(unknownCard.FieldCount(), 0u);
}

TEST(ExchangeLegacyConversion, ResultCodes) {
    LegacyWalletWriter good(u"pw-good", false);
    good.AddFolder(1, u"F");
    LegacyWalletWriter noFolders(u"pw-good", false);
    LegacyWalletWriter custom(u"pw-good", true, u"missing.tcd");
    custom.AddFolder(1, u"F");
    LegacyWalletWriter truncated(u"pw-good", false);
    truncated.AddFolder(1, u"F");
    LegacyCardDraft runsPast;
    runsPast.tags = {{1, LegacyText(u"x")}};
    runsPast.dataLengthOverride = 100000;
    truncated.AddCard(runsPast);
    std::string notLegacy = good.Bytes();
    notLegacy[0] = 'X';

    struct Case {
        const char* what;
        std::string bytes;
        std::u16string password;
        int expected;
        bool newFileStays;
        std::u16string definitions;
    };
    const Case cases[] = {
        {"good", good.Bytes(), u"pw-good", kConvertOk, true, u""},
        {"wrong password", good.Bytes(), u"PW-GOOD", kConvertWrongPassword, false, u""},
        {"not legacy", notLegacy, u"pw-good", kConvertNotLegacy, false, u""},
        {"too short", good.Bytes().substr(0, 843), u"pw-good", kConvertNotLegacy, false, u""},
        {"record runs past the end", truncated.Bytes(), u"pw-good", kConvertNotLegacy, false, u""},
        {"no folders", noFolders.Bytes(), u"pw-good", kConvertNoFolders, true, u""},
        {"definitions missing", custom.Bytes(), u"pw-good", kConvertNoDefinitions, false, u""},
        {"definitions broken", custom.Bytes(), u"pw-good", kConvertNoDefinitions, false, u"/broken.tcd"},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs;
        fs.SetContents(u"/w/a.wal", c.bytes);
        fs.SetContents(u"/broken.tcd", "<OstrovaWorksTessellockCustomForms.1>\r\n<MyForm>\r\nA\r\n12345678901\r\n");
        std::u16string newPath;
        EXPECT_EQ(ConvertLegacyWallet(fs, u"/w/a.wal", c.password, &newPath, c.definitions), c.expected) << c.what;
        EXPECT_EQ(fs.Exists(u"/w/a.tl5"), c.newFileStays) << c.what;
    }

    MemoryFileSystem fs;
    std::u16string newPath;
    EXPECT_EQ(ConvertLegacyWallet(fs, u"/w/none.wal", u"pw", &newPath), kConvertCannotOpen);
    EXPECT_EQ(ConvertLegacyWallet(fs, u"", u"pw", &newPath), kConvertMissingArgument);
    EXPECT_EQ(ConvertLegacyWallet(fs, u"/w/a.wal", u"", &newPath), kConvertMissingArgument);
    fs.SetContents(u"/w/a.wal", good.Bytes());
    fs.SetContents(u"/w/a.tl5", "already here");
    EXPECT_EQ(ConvertLegacyWallet(fs, u"/w/a.wal", u"pw-good", &newPath), kConvertExists);
    EXPECT_EQ(fs.Contents(u"/w/a.tl5"), "already here");
    // A legacy password too long for a new wallet.
    LegacyWalletWriter longPassword(u"a-password-of-thirty-characters", false);
    longPassword.AddFolder(1, u"F");
    fs.SetContents(u"/w/b.wal", longPassword.Bytes());
    EXPECT_EQ(ConvertLegacyWallet(fs, u"/w/b.wal", u"a-password-of-thirty-characters", &newPath), kConvertCannotCreate);
}

TEST(ExchangeLegacyConversion, NewPathReplacesOnlyTheFileNameExtension) {
    EXPECT_EQ(LegacyConvertedPath(u"/a/b/home.wal"), u"/a/b/home.tl5");
    EXPECT_EQ(LegacyConvertedPath(u"\\My Documents\\home.v1.wal"), u"\\My Documents\\home.v1.tl5");
    EXPECT_EQ(LegacyConvertedPath(u"/my.dir/home"), u"/my.dir/home.tl5");
}

TEST(ExchangeLegacyConversion, AFailedWriteRemovesTheHalfWrittenWallet) {
    LegacyWalletWriter w(u"pw-good", false);
    w.AddFolder(1, u"F");
    for (int i = 0; i < 20; ++i) {
        LegacyCardDraft c;
        c.key = i;
        c.name = u"Card";
        c.tags = {{1, LegacyText(std::u16string(400, u'v'))}};
        w.AddCard(c);
    }
    FullDisk disk(20000);  // room for the fixed blocks and a few cards only
    disk.mem.SetContents(u"/w/a.wal", w.Bytes());
    std::u16string newPath;
    EXPECT_EQ(ConvertLegacyWallet(disk, u"/w/a.wal", u"pw-good", &newPath), kConvertCannotCreate);
    EXPECT_EQ(newPath, u"/w/a.tl5");
    EXPECT_FALSE(disk.mem.Exists(u"/w/a.tl5"));
    EXPECT_FALSE(disk.mem.Exists(u"/w/a.tl~"));
}

TEST(ExchangeLegacyConversion, AKilledConversionLeavesNothingOrAllAndARetryWorks) {
    LegacyWalletWriter w(u"pw-good", false);
    w.AddFolder(1, u"F");
    w.AddFolder(2, u"G");
    for (int i = 0; i < 4; ++i) {
        LegacyCardDraft c;
        c.key = i;
        c.folderKey = 1 + i % 2;
        c.name = u"Card " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        c.tags = {{1, LegacyText(std::u16string(300, static_cast<char16_t>(u'a' + i)))}};
        w.AddCard(c);
    }
    const std::u16string wal = u"/w/a.wal", tl5 = u"/w/a.tl5";
    const std::u16string password = u"pw-good";
    // What a wallet shows, without the ids and times each run makes anew.
    auto contents = [&](MemoryFileSystem& fs) {
        const Converted c = ReadBack(fs, tl5, password);
        std::u16string s;
        for (const auto& name : c.folderNames) s += u"folder " + name + u"\n";
        for (const auto& card : c.cards) {
            if (!card) return std::u16string(u"unreadable card");
            s += u"card " + card->FieldAt(0)->Value() + u"\n";
        }
        return s;
    };
    MemoryFileSystem clean;
    clean.SetContents(wal, w.Bytes());
    std::u16string newPath;
    long operations = 0;
    {
        FaultFileSystem counting(clean);
        ASSERT_EQ(ConvertLegacyWallet(counting, wal, password, &newPath), kConvertOk);
        operations = counting.Operations();
    }
    const std::u16string expected = contents(clean);
    ASSERT_NE(expected.find(u"card ddd"), std::u16string::npos) << Utf16ToUtf8(expected);
    for (long n = 1; n <= operations + 1; ++n) {
        for (int variant = 0; variant < 4; ++variant) {
            const bool keepUnflushed = variant & 1, namesNeedFlush = variant & 2;
            const std::string where = "killed at " + std::to_string(n) + "/" + std::to_string(operations) +
                                      " variant " + std::to_string(variant);
            MemoryFileSystem mem;
            mem.SetContents(wal, w.Bytes());
            mem.SetNamesNeedFolderFlush(namesNeedFlush);
            int rc = -1;
            {
                FaultFileSystem faulty(mem);
                faulty.FailAt(n);
                rc = ConvertLegacyWallet(faulty, wal, password, &newPath);
            }
            mem.Crash(keepUnflushed);
            if (rc == kConvertOk) {
                EXPECT_TRUE(mem.Exists(tl5)) << where << ": a conversion reported done lasts";
            }
            if (mem.Exists(tl5)) {
                EXPECT_EQ(contents(mem), expected) << where;
            } else {
                EXPECT_EQ(ConvertLegacyWallet(mem, wal, password, &newPath), kConvertOk) << where << ": the retry";
                EXPECT_EQ(contents(mem), expected) << where;
            }
            EXPECT_FALSE(mem.Exists(LegacyConversionTempPath(tl5))) << where;
        }
    }
}

TEST(ExchangeLegacyConversion, DefinitionsAreFoundInTheProgramsFolder) {
    const std::u16string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    const std::u16string name = u"tl5-definitions-test-" + Utf8ToUtf16(std::to_string(::testing::UnitTest::GetInstance()->random_seed())) + u".tcd";
    FileSystem& os = OsFileSystem();
    {
        std::unique_ptr<File> f;
        ASSERT_EQ(os.Open(folder + name, FileMode::CreateAlways, FileShare::None, &f), kFileOk);
        size_t put = 0;
        ASSERT_TRUE(f->Write(kDefinitions.data(), kDefinitions.size(), &put));
    }
    CustomFormDefinitions defs;
    EXPECT_TRUE(FindCustomFormDefinitions(os, name, u"", defs));
    EXPECT_EQ(defs.forms.size(), 1u);
    // A path given by the caller is the only place looked at.
    EXPECT_FALSE(FindCustomFormDefinitions(os, name, folder + u"missing.tcd", defs));
    os.Remove(folder + name);
    EXPECT_FALSE(FindCustomFormDefinitions(os, name, u"", defs));
}
