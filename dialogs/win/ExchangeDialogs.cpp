#include "dialogs/win/ExchangeDialogs.h"

#include <vector>

#include "StringIds.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/DocumentLocations.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "exchange/ExportDialogRules.h"
#include "platform/FormatText.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

HWND g_current = nullptr;

constexpr int kMaxLocations = 5;
constexpr int kDescriptionChars = 127;
constexpr int kAuthorChars = 63;

void OpenFormsPage() { ppc::StartDeviceProgram(L"iexplore.exe", kFormsPage); }

// The text of a control, at most `limit` characters whatever the control holds.
std::u16string BoundedText(HWND control, int limit) {
    std::vector<wchar_t> buffer(static_cast<size_t>(limit) + 1, L'\0');
    const int n = GetWindowTextW(control, buffer.data(), limit + 1);
    return tl5::FromWide(std::wstring(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0));
}

void FillChoices(HWND dialog, int id, const std::vector<tl5::ExportChoice>& choices) {
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const tl5::ExportChoice& choice : choices) AddChoice(dialog, id, choice.stringId, choice.value);
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0);
}

class ExportDialog : public Dialog {
public:
    explicit ExportDialog(tl5::ExportRequest* request) : Dialog(IDD_EXPORT), request_(request) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_EXPORT_TITLE), IDI_TL_APP, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        g_current = Window();
        SetWindowTextW(Item(IDC_EXPORT_ITEMS_LABEL), Text(IDS_SELECT_ITEMS_TO_EXPORT));
        SetWindowTextW(Item(IDC_EXPORT_FORMAT_LABEL), Text(IDS_OUTPUT_FORMAT));
        SetWindowTextW(Item(IDC_EXPORT_OUTPUT_LABEL), Text(IDS_OUTPUT_TO));
        SetWindowTextW(Item(IDC_EXPORT_INCLUDE_LABEL), Text(IDS_INCLUDE));
        const int labels[] = {IDC_EXPORT_ITEMS_LABEL, IDC_EXPORT_FORMAT_LABEL, IDC_EXPORT_OUTPUT_LABEL,
                              IDC_EXPORT_INCLUDE_LABEL};
        SetControlsFont(Window(), labels, 4, AppFontCache().Font(kFont85Bold));
        FillChoices(Window(), IDC_EXPORT_ITEMS, tl5::ExportItemChoices(request_->context));
        FillForItem();
        // The storage locations, named as the user knows them.
        DocumentLocation records[kMaxLocations];
        const int count = DocumentLocations(Window(), records, kMaxLocations);
        HWND output = Item(IDC_EXPORT_OUTPUT);
        for (int i = 0; i < count; ++i) {
            tl5::ExportLocationFacts facts;
            facts.named = records[i].named;
            facts.onFixedCard = records[i].onFixedCard;
            facts.volumeName = tl5::FromWide(records[i].volumeName);
            locations_.push_back(tl5::FromWide(records[i].path));
            SendMessageW(output, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(tl5::ToWide(tl5::ExportLocationText(facts, TextU16)).c_str()));
        }
        SendMessageW(output, CB_SETCURSEL, 0, 0);
        for (int id : {IDC_EXPORT_ITEMS_LABEL, IDC_EXPORT_ITEMS, IDC_EXPORT_FORMAT_LABEL, IDC_EXPORT_FORMAT,
                       IDC_EXPORT_OUTPUT_LABEL, IDC_EXPORT_OUTPUT, IDC_EXPORT_INCLUDE_LABEL, IDC_EXPORT_FIRST_BOX,
                       IDC_EXPORT_SECOND_BOX})
            StretchControl(Window(), id);
        return true;
    }

    // The format list and the boxes for the chosen item; the check marks stay as they are.
    void FillForItem() {
        const int item = static_cast<int>(ChosenData(Window(), IDC_EXPORT_ITEMS, tl5::kExportWallet));
        const tl5::ExportFormatView view = tl5::ExportFormatFor(item);
        FillChoices(Window(), IDC_EXPORT_FORMAT, view.formats);
        SetWindowTextW(Item(IDC_EXPORT_FIRST_BOX), Text(view.firstBoxText));
        SetWindowTextW(Item(IDC_EXPORT_SECOND_BOX), Text(view.secondBoxText));
        ShowWindow(Item(IDC_EXPORT_SECOND_BOX), view.secondBoxShown ? SW_SHOW : SW_HIDE);
    }

    void Confirm() {
        tl5::ExportDialogState state;
        state.itemValue = static_cast<int>(ChosenData(Window(), IDC_EXPORT_ITEMS, -1));
        state.formatValue = static_cast<int>(ChosenData(Window(), IDC_EXPORT_FORMAT, -1));
        state.firstBox = GetCheck(Window(), IDC_EXPORT_FIRST_BOX);
        state.secondBox = GetCheck(Window(), IDC_EXPORT_SECOND_BOX);
        state.secondBoxShown = IsWindowVisible(Item(IDC_EXPORT_SECOND_BOX)) != FALSE;
        const int location = static_cast<int>(SendMessageW(Item(IDC_EXPORT_OUTPUT), CB_GETCURSEL, 0, 0));
        if (location >= 0 && static_cast<size_t>(location) < locations_.size()) state.location = &locations_[location];
        End(tl5::FinishExportRequest(state, request_) ? TRUE : FALSE);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_EXPORT_ITEMS:
                if (code == CBN_SELCHANGE) FillForItem();
                return true;
            case IDM_DONE:
            case IDOK: Confirm(); return true;
            case IDM_CANCEL:
            case IDCANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDestroy() override {
        if (g_current == Window()) g_current = nullptr;
    }

    tl5::ExportRequest* request_;
    std::vector<std::u16string> locations_;
};

class ExportFormsDialog : public Dialog {
public:
    ExportFormsDialog(const std::wstring& cardName, std::u16string* description, std::u16string* author)
        : Dialog(IDD_EXPORT_FORM), cardName_(cardName), description_(description), author_(author) {}

private:
    DialogFrameSpec Frame() override {
        std::wstring title = Text(IDS_EXPORT_FORM);
        if (!cardName_.empty())
            title = tl5::ToWide(tl5::FormatText(u"%s: %s", {tl5::FromWide(title), tl5::FromWide(cardName_)}));
        return {title, IDI_TL_OPTIONS, IDMB_DONE_CANCEL};
    }

    bool OnInit() override {
        g_current = Window();
        SetWindowTextW(Item(IDC_FORM_DESCRIPTION_LABEL), Text(IDS_FORM_DESCRIPTION_OPTIONAL));
        SetWindowTextW(Item(IDC_FORM_AUTHOR_LABEL), Text(IDS_AUTHOR_OPTIONAL));
        SetWindowTextW(Item(IDC_ADVICE), Text(IDS_SHARE_FORMS_TIP));
        SetWindowTextW(Item(IDC_FORMS_LINK), kFormsPage);
        SendMessageW(Item(IDC_FORM_DESCRIPTION), EM_LIMITTEXT, kDescriptionChars, 0);
        SendMessageW(Item(IDC_FORM_AUTHOR), EM_LIMITTEXT, kAuthorChars, 0);
        SendMessageW(Item(IDC_FORMS_LINK), WM_SETFONT,
                     reinterpret_cast<WPARAM>(AppFontCache().Font(kFont85BoldUnderlined)), FALSE);
        for (int id : {IDC_FORM_DESCRIPTION_LABEL, IDC_FORM_DESCRIPTION, IDC_FORM_AUTHOR_LABEL, IDC_FORM_AUTHOR,
                       IDC_ADVICE, IDC_FORMS_LINK})
            StretchControl(Window(), id);
        return true;
    }

    HBRUSH OnControlColor(UINT message, HDC dc, HWND control) override {
        if (message != WM_CTLCOLORSTATIC || control != Item(IDC_FORMS_LINK)) return nullptr;
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, RGB(255, 255, 255));
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }

    bool OnSetCursor(HWND over) override {
        if (over != Item(IDC_FORMS_LINK)) return false;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return true;
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDC_FORMS_LINK:
                if (code == STN_CLICKED) OpenFormsPage();
                return true;
            case IDM_DONE:
            case IDOK:
                *description_ = BoundedText(Item(IDC_FORM_DESCRIPTION), kDescriptionChars);
                *author_ = BoundedText(Item(IDC_FORM_AUTHOR), kAuthorChars);
                End(TRUE);
                return true;
            case IDM_CANCEL:
            case IDCANCEL: End(FALSE); return true;
            default: return false;
        }
    }

    void OnDestroy() override {
        if (g_current == Window()) g_current = nullptr;
    }

    std::wstring cardName_;
    std::u16string* description_;
    std::u16string* author_;
};

class ImportFormsDialog : public Dialog {
public:
    ImportFormsDialog() : Dialog(IDD_IMPORT_FORMS) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_IMPORT_FORMS), IDI_TL_OPTIONS, IDMB_CANCEL}; }

    bool OnInit() override {
        g_current = Window();
        SetWindowTextW(Item(IDC_IMPORT_FROM_FILE), Text(IDS_IMPORT_FROM_FILE));
        SetWindowTextW(Item(IDC_IMPORT_FROM_WEB), Text(IDS_DOWNLOAD_FROM_WEB_SITE));
        SetWindowTextW(Item(IDC_ADVICE), Text(IDS_IMPORT_FORMS_TIP));
        StretchControl(Window(), IDC_ADVICE);
        return true;
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
            case IDC_IMPORT_FROM_FILE: End(kImportFormsFromFile); return true;
            case IDC_IMPORT_FROM_WEB:
                OpenFormsPage();
                End(kImportFormsFromWeb);
                return true;
            case IDM_DONE:
            case IDM_CANCEL:
            case IDOK:
            case IDCANCEL: End(kImportFormsNothing); return true;
            default: return false;
        }
    }

    void OnDestroy() override {
        if (g_current == Window()) g_current = nullptr;
    }
};

}  // namespace

bool ShowExportDialog(HWND parent, tl5::ExportRequest* request) {
    if (!request) return false;
    ExportDialog dialog(request);
    return RunDialog(parent, dialog) == TRUE;
}

bool ShowExportFormsDialog(HWND parent, const std::wstring& cardName, std::u16string* description,
                           std::u16string* author) {
    if (!description || !author) return false;
    ExportFormsDialog dialog(cardName, description, author);
    return RunDialog(parent, dialog) == TRUE;
}

int ShowImportFormsDialog(HWND parent) {
    ImportFormsDialog dialog;
    const INT_PTR result = RunDialog(parent, dialog);
    return result == kImportFormsFromFile || result == kImportFormsFromWeb ? static_cast<int>(result)
                                                                           : kImportFormsNothing;
}

HWND CurrentExchangeDialog() { return g_current; }

}  // namespace tl5win
