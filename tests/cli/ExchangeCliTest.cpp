// End to end through the tl5 binary: legacy conversion, form files between wallets, text import of
// both encodings, text export with attachments.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/CodePage.h"
#include "platform/Text.h"
#include "tests/core/ExchangeLegacyWriter.h"

namespace fs = std::filesystem;
using namespace tl5;
using namespace tl5::testing;

namespace {

class ExchangeCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tl5-exchange-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs tl5 in the test folder with the given standard input; returns the exit status.
    int Run(const std::string& args, const std::string& input = "") {
        WriteFile("stdin.txt", input);
        const std::string cmd = "cd '" + dir.string() + "' && '" TL5_EXE "' " + args +
                                " < stdin.txt > stdout.txt 2> stderr.txt";
        const int rc = std::system(cmd.c_str());
        out = ReadFile("stdout.txt");
        err = ReadFile("stderr.txt");
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }
    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream f(dir / name, std::ios::binary);
        f << bytes;
    }
    std::string ReadFile(const fs::path& path) {
        std::ifstream f(path.is_absolute() ? path : dir / path, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    static std::string Utf16Le(const std::string& utf8, bool bom) {
        std::string out = bom ? "\xFF\xFE" : "";
        for (char16_t c : Utf8ToUtf16(utf8)) {
            out.push_back(static_cast<char>(c & 0xFF));
            out.push_back(static_cast<char>(c >> 8));
        }
        return out;
    }
    static std::string FromUtf16File(const std::string& bytes) {
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
        }
        return Utf16ToUtf8(text);
    }
    std::string Trimmed(const std::string& s) {
        std::string t = s;
        while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
        return t;
    }
    // Makes a wallet with one folder and one card; returns the card's path.
    void MakeWallet(const std::string& name, const std::string& password) {
        ASSERT_EQ(Run("create " + name, password + "\n"), 0) << err;
    }

    fs::path dir;
    std::string out, err;
};

}  // namespace

TEST_F(ExchangeCli, LegacyWalletWithCustomFormsConverts) {
    LegacyWalletWriter w(u"old-pass", true, u"mine.tcd");
    w.AddFolder(1, u"Sport");
    LegacyCardDraft c;
    c.folderKey = 1;
    c.formKey = 1001;
    c.name = u"Gym locker";
    c.tags = {{2, LegacyText(u"12-34")}, {3, LegacyText(u"Hall B")}, {kLegacyTagNotes, LegacyText(u"bring a lock")}};
    w.AddCard(c);
    WriteFile("old.wal", w.Bytes());
    WriteFile("mine.tcd", Utf16Le("<OstrovaWorksTessellockCustomForms.1>\r\n<MyForm>\r\nLocker\r\n1001\r\n4\r\n"
                                  "2 TLF_PIN Combination\r\n3 TLF_DEFAULT Where\r\n<EndForm>\r\n", false));

    EXPECT_EQ(Run("convert old.wal", "old-pass\n"), 1) << "no definitions next to tl5";
    EXPECT_NE(err.find("result code 10"), std::string::npos) << err;
    WriteFile("broken.tcd", "<OstrovaWorksTessellockCustomForms.1>\r\n<MyForm>\r\nLocker\r\n1001\r\n4\r\n2 TLF_PIN\r\n");
    EXPECT_EQ(Run("convert old.wal --definitions broken.tcd", "old-pass\n"), 1);
    EXPECT_NE(err.find("result code 10"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir / "old.tl5"));
    EXPECT_EQ(Run("convert old.wal --definitions mine.tcd", "wrong\n"), 4);
    EXPECT_NE(err.find("result code 2"), std::string::npos) << err;
    ASSERT_EQ(Run("convert old.wal --definitions mine.tcd", "old-pass\n"), 0) << err;
    EXPECT_EQ(Trimmed(out), "old.tl5");
    ASSERT_EQ(Run("show old.tl5 'Sport/Gym locker' --json --reveal", "old-pass\n"), 0) << err;
    EXPECT_NE(out.find("\"name\": \"Combination\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"value\": \"12-34\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"value\": \"Hall B\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"name\": \"Notes\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"value\": \"bring a lock\""), std::string::npos) << out;
    EXPECT_EQ(Run("convert old.wal --definitions mine.tcd", "old-pass\n"), 5);
    EXPECT_NE(err.find("result code 7"), std::string::npos) << err;

    // A legacy file whose record runs past its end is refused and leaves nothing behind.
    std::string cut = w.Bytes();
    cut.resize(cut.size() - 5);
    WriteFile("cut.wal", cut);
    EXPECT_EQ(Run("convert cut.wal --definitions mine.tcd", "old-pass\n"), 3);
    EXPECT_FALSE(fs::exists(dir / "cut.tl5"));
}

TEST_F(ExchangeCli, CardTravelsAsAFormFileWithAndWithoutValues) {
    MakeWallet("alpha.tl5", "pass-a");
    MakeWallet("beta.tl5", "pass-b");
    ASSERT_EQ(Run("new-folder alpha.tl5 / Bank", "pass-a\n"), 0) << err;
    ASSERT_EQ(Run("new-card alpha.tl5 Bank --form 10 --name Visa", "pass-a\n"), 0) << err;
    ASSERT_EQ(Run("set alpha.tl5 Bank/Visa 1 4711", "pass-a\n"), 0) << err;

    ASSERT_EQ(Run("export-form alpha.tl5 Bank/Visa --out forms --values --author Ann --description 'Bank card'", "pass-a\n"), 0) << err;
    const std::string withValues = Trimmed(out);
    EXPECT_NE(withValues.find("forms/Visa_"), std::string::npos) << withValues;
    ASSERT_EQ(Run("export-form alpha.tl5 Bank/Visa --out bare", "pass-a\n"), 0) << err;
    const std::string bare = Trimmed(out);

    ASSERT_EQ(Run("import-form beta.tl5 '" + withValues + "' --json --dry-run", "pass-b\n"), 0) << err;
    EXPECT_NE(out.find("\"name\": \"Visa\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"author\": \"Ann\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"added\": null"), std::string::npos) << out;
    EXPECT_NE(out.find("\"date\": \"20"), std::string::npos) << out;
    ASSERT_EQ(Run("import-form beta.tl5 '" + withValues + "'", "pass-b\n"), 0) << err;
    ASSERT_EQ(Run("show beta.tl5 'My Forms/Visa' --json --reveal", "pass-b\n"), 0) << err;
    EXPECT_NE(out.find("\"value\": \"4711\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"name\": \"Combination\""), std::string::npos) << out;

    ASSERT_EQ(Run("rename beta.tl5 'My Forms/Visa' Old", "pass-b\n"), 0) << err;
    ASSERT_EQ(Run("import-form beta.tl5 '" + bare + "'", "pass-b\n"), 0) << err;
    ASSERT_EQ(Run("show beta.tl5 'My Forms/Visa' --json --reveal", "pass-b\n"), 0) << err;
    EXPECT_EQ(out.find("4711"), std::string::npos) << out;
    EXPECT_NE(out.find("\"name\": \"Combination\""), std::string::npos) << out;

    // A truncated form file is refused and the wallet is left as it was.
    const std::string before = ReadFile("beta.tl5");
    WriteFile("cut.tlx", ReadFile(withValues).substr(0, 1000));
    EXPECT_EQ(Run("import-form beta.tl5 cut.tlx", "pass-b\n"), 3);
    EXPECT_EQ(ReadFile("beta.tl5"), before);
}

TEST_F(ExchangeCli, SpreadsheetAsUtf16AndAsWindows1252ImportsAlike) {
    const std::string sheet = "CardName\tUser\tCity\r\nMail\tJos\xc3\xa9\tK\xc3\xb6ln \xe2\x82\xac\r\nBank\tann\t\r\n";
    WriteFile("wide.txt", Utf16Le(sheet, true));
    WriteFile("narrow.txt", Utf16ToCodePage1252(Utf8ToUtf16(sheet)));
    MakeWallet("wide.tl5", "pass-w");

    ASSERT_EQ(Run("import-text wide.tl5 wide.txt --dry-run", "pass-w\n"), 0) << err;
    const std::string widePreview = out;
    ASSERT_EQ(Run("import-text wide.tl5 narrow.txt --dry-run", "pass-w\n"), 0) << err;
    EXPECT_EQ(out, widePreview);
    EXPECT_NE(out.find("User: Jos\xc3\xa9\nCity: K\xc3\xb6ln \xe2\x82\xac\n"), std::string::npos) << out;
    EXPECT_NE(out.find("2 rows"), std::string::npos) << out;

    ASSERT_EQ(Run("import-text wide.tl5 wide.txt", "pass-w\n"), 0) << err;
    EXPECT_NE(out.find("2 cards were imported."), std::string::npos) << out;
    const size_t at = out.find("folder: ");
    ASSERT_NE(at, std::string::npos);
    const std::string folder = Trimmed(out.substr(at + 8));
    ASSERT_EQ(Run("show wide.tl5 '" + folder + "/Mail' --json", "pass-w\n"), 0) << err;
    const std::string wideCard = out.substr(out.find("\"fields\""));
    EXPECT_NE(wideCard.find("K\xc3\xb6ln \xe2\x82\xac"), std::string::npos) << out;

    MakeWallet("narrow.tl5", "pass-w");
    ASSERT_EQ(Run("import-text narrow.tl5 narrow.txt", "pass-w\n"), 0) << err;
    ASSERT_EQ(Run("show narrow.tl5 '" + folder + "/Mail' --json", "pass-w\n"), 0) << err;
    EXPECT_EQ(out.substr(out.find("\"fields\"")), wideCard);

    // Rows of mixed lengths are refused; the wallet stays as it was.
    WriteFile("mixed.txt", "CardName\tUser\r\nMail\tann\textra\r\n");
    const std::string before = ReadFile("narrow.tl5");
    EXPECT_EQ(Run("import-text narrow.tl5 mixed.txt", "pass-w\n"), 3);
    EXPECT_EQ(ReadFile("narrow.tl5"), before);
}

TEST_F(ExchangeCli, TextExportWritesAttachmentFiles) {
    MakeWallet("home.tl5", "pass-h");
    ASSERT_EQ(Run("new-folder home.tl5 / Docs", "pass-h\n"), 0) << err;
    ASSERT_EQ(Run("new-card home.tl5 Docs --form 10 --name Passport", "pass-h\n"), 0) << err;
    ASSERT_EQ(Run("set home.tl5 Docs/Passport 1 secret-pin", "pass-h\n"), 0) << err;
    WriteFile("scan.jpg", "JPEGDATA");
    WriteFile("notes.txt", "some notes");
    ASSERT_EQ(Run("attach home.tl5 Docs/Passport scan.jpg", "pass-h\n"), 0) << err;
    ASSERT_EQ(Run("attach home.tl5 Docs/Passport notes.txt", "pass-h\n"), 0) << err;

    ASSERT_EQ(Run("export-text home.tl5 --out export --attachments", "pass-h\n"), 0) << err;
    const fs::path textFile = Trimmed(out);
    EXPECT_EQ(textFile.parent_path(), fs::path("export/home"));
    EXPECT_EQ(ReadFile("export/home/001_scan.jpg"), "JPEGDATA");
    EXPECT_EQ(ReadFile("export/home/002_notes.txt"), "some notes");
    const std::string text = FromUtf16File(ReadFile(textFile));
    EXPECT_NE(text.find("Combination: ********\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("File: " + (dir / "home.tl5").string() + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Attachment: 001_scan.jpg\r\nAttachment: 002_notes.txt\r\n"), std::string::npos) << text;

    ASSERT_EQ(Run("export-text home.tl5 --item Docs/Passport --out one --attachments --values", "pass-h\n"), 0) << err;
    EXPECT_EQ(ReadFile("one/home/000_scan.jpg"), "JPEGDATA");
    EXPECT_EQ(ReadFile("one/home/001_notes.txt"), "some notes");
    EXPECT_NE(FromUtf16File(ReadFile(Trimmed(out))).find("Combination: secret-pin\r\n"), std::string::npos);
}
