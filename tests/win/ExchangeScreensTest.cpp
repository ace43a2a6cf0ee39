// Export, Import and Import Form of the real main window: the export dialog and the form export
// dialog driven as a user would, the document chooser answered, the questions of the form and text
// imports answered; the files and the wallet are read back with the core afterwards.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "StringIds.h"
#include "cardui/Settings.h"
#include "cardui/win/DocChooser.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/ExchangeDialogs.h"
#include "exchange/ExchangeNames.h"
#include "exchange/FormExchange.h"
#include "model/Field.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/LocalTime.h"
#include "platform/Text.h"
#include "platform/pocketpc/DocList.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/MainWindow.h"
#include "shell/win/Startup.h"
#include "shell/win/WalletList.h"
#include "tests/core/WalletTestSupport.h"
#include "tests/win/InProcessAppSuite.h"
#include "tests/win/MainWindowTestDriver.h"
#include "tests/win/TestFiles.h"

using tl5test::Child;
using tl5test::Press;
using tl5test::TypeInto;
using tl5test::UiScript;
using tl5test::WriteFileBytes;

namespace {

constexpr char16_t kPassword[] = u"exchange-pw";
// A form name of 30 characters: the confirmation shows 28 of them and "...".
constexpr char16_t kLongForm[] = u"Frequent flyer programme cards";

tl5::ItemId AddFolder(tl5::Wallet& w, const tl5::ItemId& parent, const std::u16string& name) {
    tl5::ItemRecord record;
    tl5::NewFolder(w, parent, false, &record);
    record.SetName(name);
    const tl5::ItemId id = record.Id();
    EXPECT_GE(w.AppendFolderRecord(&record, false), 0);
    return id;
}

// Bank { Visa (number 1234, PIN 9876 as a password, the attachment statement.pdf) }, a form in My Forms with a long name; Visa is a
// favourite.
void MakeFixtureWallet(const std::wstring& path) {
    tl5::Wallet w;
    const std::u16string password = kPassword;
    ASSERT_EQ(w.Create(tl5::FromWide(path), password, u"", false), 0);
    ASSERT_EQ(w.Open(tl5::FromWide(path), &password, false), 0);
    const tl5::ItemId bank = AddFolder(w, tl5::ItemId(), u"Bank");
    tl5::Card visa = tl5test::MakeCard(w, bank, u"Visa", {{u"Number", u"1234"}});
    tl5::Field* pin = visa.AddField(tl5::FT_PASSWORD);
    pin->SetName(u"PIN");
    pin->SetValue(u"9876");
    tl5::Attachment scan;
    const std::string bytes = "statement bytes";
    ASSERT_TRUE(scan.SetFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), u"statement.pdf",
                                  tl5::LocalTimeNow()));
    ASSERT_GE(visa.AddAttachment(scan), 0);
    const tl5::ItemId visaId = visa.Record().Id();
    ASSERT_GE(w.AppendCard(&visa, false), 0);
    tl5::Card form = tl5test::MakeCard(w, tl5::MyFormsFolder(w)->Id(), kLongForm, {{u"Member", u""}});
    ASSERT_GE(w.AppendCard(&form, false), 0);
    ASSERT_TRUE(tl5::AddFavorite(w, visaId));
    ASSERT_EQ(w.Close(true), 0);
}

std::string Narrow(const std::wstring& text) { return tl5::Utf16ToUtf8(tl5::FromWide(text)); }

// A UTF-16LE text file with its byte order mark, as text.
std::wstring ReadUtf16File(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8));
    return text;
}

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

int ComboCount(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0)); }

// Chooses the item entry `index` as a tap on the list would.
void ChooseItem(HWND dialog, int index) {
    SendDlgItemMessageW(dialog, IDC_EXPORT_ITEMS, CB_SETCURSEL, index, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPORT_ITEMS, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_EXPORT_ITEMS)));
}

// The first document the chooser lists, chosen with Done.
bool ChooseFirstDocument(UiScript& s) {
    HWND chooser = s.Wait([] { return tl5win::DocChooserWindow(); }, "document chooser");
    if (!chooser) return false;
    SendMessageW(GetDlgItem(chooser, IDC_DOCUMENT_LIST), ppc::DLM_SETSELECT, 0, 0);
    Press(chooser, IDM_DONE);
    return s.WaitGone(chooser);
}

class ExchangeScreens : public tl5test::InProcessAppSuite<ExchangeScreens> {
public:
    static constexpr const wchar_t* kAppName = L"exchange";

protected:
    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        tl5::AppSettings().passAutoOk = 1;
        tl5::AppSettings().exitMenu = 0;
        ASSERT_TRUE(tl5test::ShowWalletListAndWait(main_));
        path_ = app_->Document(L"Exchange.tl5");
        DeleteFileW(path_.c_str());
        MakeFixtureWallet(path_);
        ASSERT_TRUE(tl5test::OpenWalletThroughPrompt(main_, path_, tl5::ToWide(kPassword)));
    }

    void TearDown() override { check_.Close(false); }

    static void Run(
        UiScript& script, const std::function<bool()>& done = [] { return true; }) {
        ASSERT_TRUE(script.Finish(60000)) << "the script did not finish";
        EXPECT_FALSE(script.Failed()) << script.Failure();
        EXPECT_TRUE(tl5test::PumpUntil(done, 10000));
        ASSERT_TRUE(tl5test::PumpUntilSettled());
    }

    static HTREEITEM Select(std::initializer_list<std::wstring> names) {
        HTREEITEM item = nullptr;
        for (const std::wstring& name : names) {
            if (item) TreeView_Expand(Tree(), item, TVE_EXPAND);
            item = Child(Tree(), item, name);
            if (!item) return nullptr;
        }
        TreeView_SelectItem(Tree(), item);
        return item;
    }

    // The wallet as its file holds it, after the application closed it.
    tl5::Wallet& Reopened() {
        EXPECT_TRUE(tl5test::ShowWalletListAndWait(main_));
        const std::u16string password = kPassword;
        EXPECT_EQ(check_.Open(tl5::FromWide(path_), &password, true), 0);
        return check_;
    }

    // Only this file of its kind in the documents folder and its direct subfolders, so that it is the
    // first the document chooser lists.
    static void OnlyDocument(const std::wstring& pattern, const std::wstring& name, const std::string& bytes) {
        const std::wstring docs = app_->Documents();
        std::vector<std::wstring> folders{docs};
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW((docs + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != L'.')
                    folders.push_back(docs + L"\\" + data.cFileName);
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        for (const std::wstring& folder : folders) {
            HANDLE f = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
            if (f == INVALID_HANDLE_VALUE) continue;
            do {
                DeleteFileW((folder + L"\\" + data.cFileName).c_str());
            } while (FindNextFileW(f, &data));
            FindClose(f);
        }
        WriteFileBytes(docs + L"\\" + name, bytes);
    }

    static std::wstring DatedName(const std::u16string& name, const std::u16string& extension) {
        return tl5::ToWide(tl5::DatedFileName(name, tl5::LocalTimeNow(), extension));
    }

    std::wstring path_;
    tl5::Wallet check_;
};

}  // namespace

TEST_F(ExchangeScreens, ACardAsAFormFileFromItsFolderAndFromFavorites) {
    const std::wstring day = tl5test::DayStamp();
    const std::wstring file = app_->Document(DatedName(u"Visa", u".tlx"));
    struct Case {
        const char* what;
        std::vector<std::wstring> path;
        bool values;
    };
    const Case cases[] = {
        {"in its folder, without values", {L"Bank", L"Visa"}, false},
        {"under Favorites, with values", {tl5win::Text(IDS_FAVORITES), L"Visa"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(file.c_str());
        HTREEITEM item = nullptr;
        for (const std::wstring& name : c.path) {
            if (item) TreeView_Expand(Tree(), item, TVE_EXPAND);
            item = Child(Tree(), item, name);
            ASSERT_NE(item, nullptr) << Narrow(name);
        }
        TreeView_SelectItem(Tree(), item);
        int items = 0, formats = 0;
        bool secondShownBefore = false, secondShownAfter = true;
        std::wstring firstBox;
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_EXPORT_ITEMS, "export dialog");
            if (!dialog) return;
            items = ComboCount(dialog, IDC_EXPORT_ITEMS);
            secondShownBefore = IsWindowVisible(GetDlgItem(dialog, IDC_EXPORT_SECOND_BOX)) != FALSE;
            ChooseItem(dialog, 2);
            s.Settle();
            formats = ComboCount(dialog, IDC_EXPORT_FORMAT);
            secondShownAfter = IsWindowVisible(GetDlgItem(dialog, IDC_EXPORT_SECOND_BOX)) != FALSE;
            firstBox = tl5test::ControlText(dialog, IDC_EXPORT_FIRST_BOX);
            if (c.values) SendDlgItemMessageW(dialog, IDC_EXPORT_FIRST_BOX, BM_SETCHECK, BST_CHECKED, 0);
            Press(dialog, IDM_DONE);
            HWND form = s.WaitDialog(IDC_FORM_DESCRIPTION, "form export dialog");
            if (!form) return;
            TypeInto(form, IDC_FORM_DESCRIPTION, L"Shared card");
            TypeInto(form, IDC_FORM_AUTHOR, L"Ann");
            Press(form, IDM_DONE);
            s.AnswerMessage(IDOK, "export result");
        });
        PostMessageW(main_, WM_COMMAND, IDM_EXPORT, 0);
        Run(script);
        TL5_SKIP_IF_DAY_CHANGED(day);
        EXPECT_EQ(items, 3);
        EXPECT_TRUE(secondShownBefore);
        EXPECT_EQ(formats, 1);
        EXPECT_FALSE(secondShownAfter);
        EXPECT_EQ(firstBox, tl5win::Text(IDS_FIELD_VALUES));
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(DatedName(u"Visa", u".tlx")), std::wstring::npos) << Narrow(seen[0].text);

        // Read back into a scratch wallet, as tl5 import-form does.
        const std::wstring scratch = app_->Document(L"Scratch.tl5");
        DeleteFileW(scratch.c_str());
        tl5::Wallet other;
        const std::u16string pw = u"scratch-pw";
        ASSERT_EQ(other.Create(tl5::FromWide(scratch), pw, u"", false), 0);
        ASSERT_EQ(other.Open(tl5::FromWide(scratch), &pw, false), 0);
        tl5::Card card;
        tl5::FormFileHeader header;
        ASSERT_TRUE(tl5::ReadFormFileForImport(other, tl5::FromWide(file), &card, &header));
        EXPECT_EQ(card.Record().Name(), u"Visa");
        EXPECT_EQ(header.description, u"Shared card");
        EXPECT_EQ(header.author, u"Ann");
        ASSERT_EQ(card.FieldCount(), 2u);
        EXPECT_EQ(card.FieldAt(0)->Value(), c.values ? u"1234" : u"");
        EXPECT_EQ(card.FieldAt(1)->Value(), c.values ? u"9876" : u"");
        other.Close(false);
    }
}

TEST_F(ExchangeScreens, AFolderAsTextMasksPasswordsUnlessAskedAndWritesTheAttachmentsBeside) {
    const std::wstring day = tl5test::DayStamp();
    const std::wstring folder = app_->Documents() + L"\\Exchange\\";
    const std::wstring file = folder + DatedName(u"Bank", u".txt");
    const std::wstring attachment = folder + L"001_statement.pdf";
    for (bool values : {false, true}) {
        SCOPED_TRACE(values ? "passwords in clear, with attachments" : "passwords masked, no attachments");
        DeleteFileW(file.c_str());
        DeleteFileW(attachment.c_str());
        ASSERT_TRUE(Select({L"Bank"}));
        int items = 0;
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            HWND dialog = s.WaitDialog(IDC_EXPORT_ITEMS, "export dialog");
            if (!dialog) return;
            items = ComboCount(dialog, IDC_EXPORT_ITEMS);
            ChooseItem(dialog, 1);
            s.Settle();
            if (values) SendDlgItemMessageW(dialog, IDC_EXPORT_FIRST_BOX, BM_SETCHECK, BST_CHECKED, 0);
            if (values) SendDlgItemMessageW(dialog, IDC_EXPORT_SECOND_BOX, BM_SETCHECK, BST_CHECKED, 0);
            Press(dialog, IDM_DONE);
            s.AnswerMessage(IDNO, "open it now?");
        });
        PostMessageW(main_, WM_COMMAND, IDM_EXPORT, 0);
        Run(script);
        TL5_SKIP_IF_DAY_CHANGED(day);
        EXPECT_EQ(items, 2);
        const std::wstring text = ReadUtf16File(file);
        EXPECT_NE(text.find(L"Visa"), std::wstring::npos) << Narrow(file);
        EXPECT_NE(text.find(L"Number: 1234"), std::wstring::npos);
        EXPECT_EQ(text.find(L"PIN: 9876") != std::wstring::npos, values);
        EXPECT_EQ(text.find(L"PIN: ********") != std::wstring::npos, !values);
        EXPECT_EQ(GetFileAttributesW(attachment.c_str()) != INVALID_FILE_ATTRIBUTES, values);
        EXPECT_EQ(text.find(L"001_statement.pdf") != std::wstring::npos, values);
    }
}

TEST_F(ExchangeScreens, AFormFileGoesIntoMyFormsAfterItsConfirmation) {
    // A form file of the fixture's long-named form, written by the core's own export.
    std::u16string formPath;
    {
        tl5::Wallet w;
        const std::u16string password = kPassword;
        PostMessageW(main_, WMU_SHOW_WALLET_LIST, 0, 0);
        ASSERT_TRUE(tl5test::PumpUntil([] { return !tl5win::AppWallet().IsOpen(); }, 10000));
        ASSERT_EQ(w.Open(tl5::FromWide(path_), &password, true), 0);
        int form = -1;
        for (size_t i = 0; i < w.ItemCount(); ++i)
            if (w.ItemAt(i).Name() == kLongForm) form = static_cast<int>(i);
        tl5::ExportRequest request;
        request.outputFolder = tl5::FromWide(app_->Documents() + L"\\forms-out");
        std::u16string folder;
        ASSERT_EQ(tl5::ExportFormFile(w, form, request, u"", u"", &folder, &formPath), tl5::kFormExportOk);
        w.Close(false);
    }
    std::string formBytes;
    {
        std::ifstream in(std::filesystem::path(tl5::ToWide(formPath)), std::ios::binary);
        formBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    SetUp();  // open the wallet again in the window

    struct Case {
        const char* what;
        std::string bytes;
        int answer;
        bool added;
    };
    const Case cases[] = {
        {"a damaged file", std::string("not a form file at all, just bytes"), IDOK, false},
        {"No to the confirmation", formBytes, IDNO, false},
        {"Yes to the confirmation", formBytes, IDYES, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OnlyDocument(L"*.tlx", L"shared.tlx", c.bytes);
        HTREEITEM myForms = Select({tl5win::Text(IDS_MY_FORMS)});
        ASSERT_NE(myForms, nullptr);
        TreeView_Expand(Tree(), myForms, TVE_EXPAND);
        const size_t before = tl5test::Children(Tree(), myForms).size();
        UiScript script(GetCurrentThreadId());
        script.Start([&](UiScript& s) {
            if (ChooseFirstDocument(s)) s.AnswerMessage(c.answer, "confirmation or message");
        });
        PostMessageW(main_, WM_COMMAND, IDM_IMPORT, 0);
        Run(script);
        const auto seen = script.Messages();
        ASSERT_EQ(seen.size(), 1u);
        if (c.answer == IDOK) {
            EXPECT_EQ(seen[0].text, tl5win::Text(IDS_FORM_FILE_DAMAGED));
        } else {
            const std::wstring shown = L"Form: " + tl5::ToWide(std::u16string(kLongForm).substr(0, 28)) + L"...\n";
            EXPECT_NE(seen[0].text.find(shown), std::wstring::npos) << Narrow(seen[0].text);
        }
        // The tree may have been built again: My Forms is looked up afresh.
        myForms = Child(Tree(), nullptr, tl5win::Text(IDS_MY_FORMS));
        ASSERT_NE(myForms, nullptr);
        TreeView_Expand(Tree(), myForms, TVE_EXPAND);
        EXPECT_EQ(tl5test::Children(Tree(), myForms).size(), before + (c.added ? 1 : 0));
    }
    tl5::Wallet& w = Reopened();
    int copies = 0;
    for (size_t i = 0; i < w.ItemCount(); ++i) {
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Name() == kLongForm) {
            ++copies;
            EXPECT_EQ(w.ItemAt(i).Parent(), tl5::MyFormsFolder(w)->Id());
        }
    }
    EXPECT_EQ(copies, 2);
}

TEST_F(ExchangeScreens, TwelveRowsAskFourThenOfferTheRest) {
    std::u16string table = u"CardName\tUser\r\n";
    for (int i = 1; i <= 12; ++i) table += u"Site " + tl5::Utf8ToUtf16(std::to_string(i)) + u"\tuser" + u"\r\n";
    OnlyDocument(L"*.txt", L"accounts.txt", Utf16File(table));
    ASSERT_TRUE(Select({L"Bank"}));
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        s.AnswerMessage(IDYES, "import question");
        if (!ChooseFirstDocument(s)) return;
        for (int i = 0; i < 4; ++i) s.AnswerMessage(IDYES, "row question");
        s.AnswerMessage(IDYES, "offer of the rest");
        s.AnswerMessage(IDOK, "closing count");
    });
    PostMessageW(main_, WM_COMMAND, IDM_IMPORT, 0);
    Run(script);
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_NE(seen[1].text.find(L"Site 1\n"), std::wstring::npos) << Narrow(seen[1].text);
    EXPECT_NE(seen[4].text.find(L"Site 4\n"), std::wstring::npos) << Narrow(seen[4].text);
    EXPECT_NE(seen[5].text.find(L" 8 "), std::wstring::npos) << Narrow(seen[5].text);
    EXPECT_NE(seen[6].text.find(L"12"), std::wstring::npos) << Narrow(seen[6].text);
    // The new folder is in the tree with its cards.
    HTREEITEM folder = nullptr;
    for (const std::wstring& name : tl5test::Children(Tree(), nullptr))
        if (name.rfind(tl5win::Text(IDS_IMPORTED_CARDS), 0) == 0) folder = Child(Tree(), nullptr, name);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(tl5test::Children(Tree(), folder).size(), 12u);

    tl5::Wallet& w = Reopened();
    int folderIndex = -1;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).IsFolderLike() &&
            w.ItemAt(i).Name().rfind(u"Imported cards ", 0) == 0)
            folderIndex = static_cast<int>(i);
    ASSERT_GE(folderIndex, 0);
    int cards = 0;
    for (size_t i = 0; i < w.ItemCount(); ++i)
        if (!w.ItemAt(i).IsDeleted() && w.ItemAt(i).Parent() == w.ItemAt(folderIndex).Id()) ++cards;
    EXPECT_EQ(cards, 12);
}

TEST_F(ExchangeScreens, AHeaderOnlyFileIsRefusedAndNothingIsMade) {
    OnlyDocument(L"*.txt", L"empty.txt", Utf16File(u"CardName\tUser\r\n"));
    ASSERT_TRUE(Select({L"Bank"}));
    const size_t topBefore = tl5test::Children(Tree(), nullptr).size();
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        s.AnswerMessage(IDYES, "import question");
        if (ChooseFirstDocument(s)) s.AnswerMessage(IDOK, "refusal");
    });
    PostMessageW(main_, WM_COMMAND, IDM_IMPORT, 0);
    Run(script);
    const auto seen = script.Messages();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, tl5win::Text(IDS_TEXT_FILE_NOT_IMPORTABLE));
    EXPECT_EQ(tl5test::Children(Tree(), nullptr).size(), topBefore);
}

TEST_F(ExchangeScreens, ImportFormOffersAFileOrTheWeb) {
    // "Download from web site" opens the forms page and starts no import.
    const std::wstring log = app_->Document(L"launch.log");
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", log.c_str());
    UiScript script(GetCurrentThreadId());
    script.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_IMPORT_FROM_WEB, "import forms dialog");
        if (dialog) Press(dialog, IDC_IMPORT_FROM_WEB);
        if (dialog) s.WaitGone(dialog);
    });
    PostMessageW(main_, WM_COMMAND, IDM_IMPORT_FORM, 0);
    Run(script);
    SetEnvironmentVariableW(L"TL5_LAUNCH_LOG", nullptr);
    EXPECT_EQ(tl5win::DocChooserWindow(), nullptr);
    std::ifstream in{std::filesystem::path(log)};
    const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(line.find("http://www.ostrovaworks.com/forms"), std::string::npos) << line;

    // "Import from file" goes to the form files even with a folder selected.
    ASSERT_TRUE(Select({L"Bank"}));
    UiScript second(GetCurrentThreadId());
    std::wstring title;
    second.Start([&](UiScript& s) {
        HWND dialog = s.WaitDialog(IDC_IMPORT_FROM_FILE, "import forms dialog");
        if (dialog) Press(dialog, IDC_IMPORT_FROM_FILE);
        HWND chooser = s.Wait([] { return tl5win::DocChooserWindow(); }, "document chooser");
        if (!chooser) return;
        wchar_t caption[128] = {};
        GetWindowTextW(chooser, caption, 128);
        title = caption;
        Press(chooser, IDM_CANCEL);
        s.WaitGone(chooser);
    });
    PostMessageW(main_, WM_COMMAND, IDM_IMPORT_FORM, 0);
    Run(second);
    EXPECT_EQ(title, tl5win::Text(IDS_IMPORT_FORM_FILE));
    EXPECT_TRUE(second.Messages().empty());
}
