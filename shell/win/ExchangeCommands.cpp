// Export, Import and Import Form of the main window: the export dialog and the two exports it hands
// over to, the routing of imports through the document chooser, the form import's confirmation and
// the text import's questions.
//
// Every step that waits for the user (a dialog, a question, the document chooser) takes the wallet's
// ticket first and does nothing afterwards when another wallet, or none, is open by then.
#include <windows.h>

#include <memory>
#include <string>

#include "StringIds.h"
#include "cardui/DocChooserRules.h"
#include "cardui/win/Activity.h"
#include "cardui/win/DocChooser.h"
#include "cardui/win/Strings.h"
#include "dialogs/win/ExchangeDialogs.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/ExportDialogRules.h"
#include "exchange/FormExchange.h"
#include "exchange/TextExport.h"
#include "exchange/TextImport.h"
#include "model/Field.h"
#include "model/Wallet.h"
#include "model/WalletItems.h"
#include "platform/CardServices.h"
#include "platform/FormatText.h"
#include "platform/LocalTime.h"
#include "platform/PathText.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/ExchangeCommandRules.h"
#include "shell/WalletGeneration.h"
#include "shell/win/MainWindow.h"
#include "shell/win/MainWindowInternal.h"

namespace tl5win {

namespace {

tl5::Wallet& W() { return AppWallet(); }
uint64_t Ticket() { return tl5::AppWalletGeneration().Ticket(); }
bool StillCurrent(uint64_t ticket) { return tl5::AppWalletGeneration().IsCurrent(ticket); }

void Tell(HWND owner, const std::u16string& text, UINT captionId, UINT flags) {
    ShowMessage(owner, tl5::ToWide(text), captionId, flags);
}

// ---- Export ------------------------------------------------------------------------------------------

void ExportForm(MainWindowState& s, const tl5::SelectionState& selection, const tl5::ExportRequest& request,
                uint64_t ticket) {
    const int card = tl5::ExportCardIndex(W(), selection);
    if (card < 0) {
        ShowMessage(s.window, IDS_FORM_EXPORT_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    std::u16string description, author;
    const std::wstring name = tl5::ToWide(W().ItemAt(static_cast<size_t>(card)).Name());
    if (!ShowExportFormsDialog(s.window, name, &description, &author) || !StillCurrent(ticket)) return;
    // The dialog's loop may have run a change of the tree: the card is looked up again.
    if (tl5::ExportCardIndex(W(), selection) != card) return;
    std::u16string folder, path;
    HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const int rc = tl5::ExportFormFile(W(), card, request, author, description, &folder, &path);
    SetCursor(old);
    if (rc != tl5::kFormExportOk) {
        ShowMessage(s.window, IDS_FORM_EXPORT_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    const tl5::ExchangeTexts texts = AppExchangeTexts();
    Tell(s.window, texts.Format(IDS_FORM_SAVED_AS, {folder, tl5::FileNameOf(path)}), IDS_EXPORT, MB_ICONINFORMATION);
}

void ExportTextFile(MainWindowState& s, const tl5::SelectionState& selection, const tl5::ExportRequest& request,
                    uint64_t ticket) {
    int selected = -1;
    if (request.items == tl5::kExportFolder) selected = tl5::ExportFolderIndex(W(), selection);
    if (request.items == tl5::kExportCard) selected = tl5::ExportCardIndex(W(), selection);
    tl5::TextExportSummary summary;
    HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const bool written = (request.items == tl5::kExportWallet || selected >= 0) &&
                         tl5::ExportText(W(), request, selected, &summary, AppExchangeTexts());
    SetCursor(old);
    if (!written) {
        ShowMessage(s.window, IDS_TEXT_EXPORT_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    const std::u16string question =
        tl5::FormatText(u"%s\n\n%s", {TextU16(IDS_TEXT_FILE_WRITTEN), TextU16(IDS_OPEN_NOW_Q)});
    const int answer = ShowMessage(s.window, tl5::ToWide(question), IDS_APP_NAME, MB_YESNO | MB_ICONINFORMATION);
    if (answer == IDYES && StillCurrent(ticket)) tl5::ShellOpenFile(summary.path);
}

// ---- Import ------------------------------------------------------------------------------------------

void ChooseFormFile(MainWindowState& s) {
    s.importTicket = Ticket();
    ArmDocChooser(WMU_IMPORT_EXCHANGE, L"*.tlx", Text(IDS_FORM_FILES_TLX), Text(IDS_IMPORT_FORM_FILE), IDI_TL_FORM_FILE,
                  false);
    ShowDocChooser(s.window);
}

void ChooseTextFile(MainWindowState& s) {
    s.importTicket = Ticket();
    ArmDocChooser(WMU_IMPORT_TEXT, L"*.txt", Text(IDS_TEXT_FILES_TXT), Text(IDS_IMPORT_TEXT_FILE), IDI_TL_TEXT_FILE,
                  false);
    ShowDocChooser(s.window);
}

// The path the document chooser delivered for the wallet it was started for; empty otherwise.
std::wstring ChosenImportPath(MainWindowState& s, WPARAM code) {
    const uint64_t ticket = s.importTicket;
    s.importTicket = 0;
    std::wstring path;
    if (static_cast<int>(code) != tl5::kDocChooserChosen || !StillCurrent(ticket)) return std::wstring();
    if (!DocChooserChosenPath(&path)) return std::wstring();
    return path;
}

}  // namespace

tl5::ExchangeTexts AppExchangeTexts() {
    tl5::ExchangeTexts texts;
    texts.strings = TextU16;
    // The user's pictures, as the fields' dates and times are shown.
    texts.shortDate = [](const tl5::SystemTime& t) { return UserFieldDateTimeText(t, tl5::FT_DATE); };
    texts.dateTime = [](const tl5::SystemTime& t) { return UserFieldDateTimeText(t, tl5::FT_DATETIME); };
    return texts;
}

void RunExportCommand(MainWindowState& s, const tl5::SelectionState& selection) {
    tl5::ExportRequest request;
    request.context = tl5::ExportContextOf(selection);
    const uint64_t ticket = Ticket();
    if (!ShowExportDialog(s.window, &request) || !StillCurrent(ticket)) return;
    if (request.format == tl5::kExportFormatForm) {
        ExportForm(s, selection, request, ticket);
    } else {
        ExportTextFile(s, selection, request, ticket);
    }
}

void RunImportCommand(MainWindowState& s, const tl5::SelectionState& selection) {
    if (tl5::ImportRouteFor(selection) == tl5::ImportRoute::kFormFile) {
        ChooseFormFile(s);
        return;
    }
    const uint64_t ticket = Ticket();
    const std::u16string question =
        tl5::FormatText(u"%s\n\n%s", {TextU16(IDS_IMPORT_TEXT_Q), TextU16(IDS_IMPORTED_CARDS)});
    const int answer = ShowMessage(s.window, tl5::ToWide(question), IDS_QUESTION, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES || !StillCurrent(ticket)) return;
    ChooseTextFile(s);
}

void RunImportFormCommand(MainWindowState& s) {
    const uint64_t ticket = Ticket();
    // "Import from file" of the forms dialog always means a form file, whatever is selected.
    if (ShowImportFormsDialog(s.window) == kImportFormsFromFile && StillCurrent(ticket)) ChooseFormFile(s);
}

void OnImportExchange(MainWindowState& s, WPARAM code) {
    const std::wstring path = ChosenImportPath(s, code);
    if (path.empty()) return;
    const uint64_t ticket = Ticket();
    tl5::Card card;
    tl5::FormFileHeader header;
    if (!tl5::ReadFormFileForImport(W(), tl5::FromWide(path), &card, &header)) {
        ShowMessage(s.window, IDS_FORM_FILE_DAMAGED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    const std::u16string question = tl5::FormImportConfirmation(card.Record().Name(), header, AppExchangeTexts());
    const int answer = ShowMessage(s.window, tl5::ToWide(question), IDS_QUESTION, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES || !StillCurrent(ticket)) return;
    if (tl5::MyFormsFolder(W()) == nullptr) {
        ShowMessage(s.window, IDS_NO_MY_FORMS, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    const int added = tl5::AddFormToMyForms(W(), &card);
    if (added < 0) {
        ShowMessage(s.window, IDS_FORM_IMPORT_FAILED, IDS_ERROR, MB_ICONSTOP);
        return;
    }
    InsertOrRefreshRecord(s, added);
}

void OnImportText(MainWindowState& s, WPARAM code) {
    const std::wstring path = ChosenImportPath(s, code);
    if (path.empty()) return;
    const uint64_t ticket = Ticket();
    const tl5::ExchangeTexts texts = AppExchangeTexts();
    tl5::TextImport import;
    const int opened = import.Open(W().Files(), tl5::FromWide(path));
    if (opened != tl5::kTextImportOk) {
        ShowMessage(s.window,
                    opened == tl5::kTextImportUnreadable ? IDS_TEXT_FILE_UNREADABLE : IDS_TEXT_FILE_NOT_IMPORTABLE,
                    IDS_ERROR, MB_ICONSTOP);
        return;
    }
    using Step = tl5::TextImportQuestions::Step;
    using Answer = tl5::TextImportQuestions::Answer;
    tl5::TextImportQuestions questions(import.DataRowCount());
    const tl5::SystemTime today = tl5::LocalTimeNow();
    bool failed = false;
    auto showFolder = [&] {
        if (import.FolderIndex() >= 0) InsertOrRefreshRecord(s, import.FolderIndex());
    };
    while (!failed && questions.Next() != Step::kFinished) {
        const Step step = questions.Next();
        if (step == Step::kImportRest) {
            const uint32_t first = questions.Row();
            questions.RestDone();
            failed = import.ImportFrom(W(), first, today, texts) < 0;
            // Many cards at once: the tree is built again, with the new folder shown.
            FillWalletTree(s);
            showFolder();
            break;
        }
        const std::u16string text =
            step == Step::kOfferRest
                ? texts.Format(IDS_IMPORT_REMAINING_Q, {static_cast<long long>(questions.Remaining())})
                : import.Preview(tl5::TextImport::RowOfDataRow(questions.Row()), texts);
        const int reply = ShowMessage(s.window, tl5::ToWide(text), IDS_QUESTION, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (!StillCurrent(ticket)) return;
        const uint32_t row = tl5::TextImport::RowOfDataRow(questions.Row());
        const Answer answer = reply == IDYES ? Answer::kYes : reply == IDNO ? Answer::kNo : Answer::kCancel;
        if (questions.Answered(answer) != tl5::TextImportQuestions::Action::kImportRow) continue;
        const bool firstCard = import.FolderIndex() < 0;
        const int index = import.ImportRow(W(), row, today, texts);
        if (index < 0) {
            failed = true;
            break;
        }
        if (firstCard) showFolder();
        InsertOrRefreshRecord(s, index);
    }
    if (failed) {
        showFolder();
        Tell(s.window, texts.Format(IDS_IMPORT_ROW_FAILED, {static_cast<long long>(import.ImportedCount())}), IDS_ERROR,
             MB_ICONSTOP);
        return;
    }
    if (import.ImportedCount() > 0)
        Tell(s.window, texts.Format(IDS_CARDS_IMPORTED, {static_cast<long long>(import.ImportedCount())}), IDS_APP_NAME,
             MB_ICONINFORMATION);
}

}  // namespace tl5win
