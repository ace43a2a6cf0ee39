#include "dialogs/win/DisplayOptions.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "StringIds.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

// The custom colours of the colour chooser: the start table, then whatever the user made of it.
COLORREF* CustomColours() {
    static COLORREF colours[16];
    static bool started = false;
    if (!started) {
        for (size_t i = 0; i < tl5::kStartCustomColours.size(); ++i) colours[i] = tl5::kStartCustomColours[i];
        started = true;
    }
    return colours;
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A dialog with colour swatches: owner-drawn buttons, each holding one colour; a tap runs the colour
// chooser on it.
class SwatchDialog : public Dialog {
protected:
    explicit SwatchDialog(UINT templateId) : Dialog(templateId) {}

    void AddSwatch(int id, uint32_t colour) { swatches_.push_back({id, colour}); }

    uint32_t Colour(int id) const {
        for (const auto& [swatch, colour] : swatches_)
            if (swatch == id) return colour;
        return tl5::kNoColour;
    }

    // BN_CLICKED of a swatch; true when `id` is one.
    bool OnSwatchCommand(int id, int code) {
        for (auto& [swatch, colour] : swatches_) {
            if (swatch != id) continue;
            if (code == BN_CLICKED && PickColour(Window(), &colour)) InvalidateRect(Item(id), nullptr, TRUE);
            return true;
        }
        return false;
    }

    void AddSizeChoices(int id, int selected) {
        HWND list = Item(id);
        for (uint32_t text : tl5::kTextSizeStrings)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(text)));
        SendMessageW(list, CB_SETCURSEL, selected, 0);
    }

    int Selection(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }

    // The controls both dialogs have for a card's look: size list, bold boxes and three swatches.
    void ShowCardChoices(const tl5::CardDisplayChoices& c) {
        AddSwatch(IDC_BACKGROUND_COLOUR, c.backgroundColour);
        AddSwatch(IDC_FIELD_NAME_COLOUR, c.nameColour);
        AddSwatch(IDC_FIELD_DATA_COLOUR, c.dataColour);
        AddSizeChoices(IDC_CARD_SIZE, c.sizeEntry);
        CheckDlgButton(Window(), IDC_FIELD_NAMES_BOLD, c.namesBold ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Window(), IDC_FIELD_DATA_BOLD, c.dataBold ? BST_CHECKED : BST_UNCHECKED);
    }

    // Reads those controls back into `c`; its other members stay.
    void ReadCardChoices(tl5::CardDisplayChoices* c) const {
        c->sizeEntry = Selection(IDC_CARD_SIZE);
        c->namesBold = IsDlgButtonChecked(Window(), IDC_FIELD_NAMES_BOLD) == BST_CHECKED;
        c->dataBold = IsDlgButtonChecked(Window(), IDC_FIELD_DATA_BOLD) == BST_CHECKED;
        c->backgroundColour = Colour(IDC_BACKGROUND_COLOUR);
        c->nameColour = Colour(IDC_FIELD_NAME_COLOUR);
        c->dataColour = Colour(IDC_FIELD_DATA_COLOUR);
    }

private:
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        bool ours = false;
        for (const auto& [swatch, colour] : swatches_) ours = ours || swatch == static_cast<int>(item.CtlID);
        if (!ours) return false;
        const uint32_t colour = Colour(static_cast<int>(item.CtlID));
        RECT r = item.rcItem;
        const bool focus = (item.itemState & ODS_FOCUS) != 0;
        if (colour == tl5::kNoColour) {
            Fill(item.hDC, r, RGB(255, 255, 255));
            DrawFocusRect(item.hDC, &r);
            return true;
        }
        if (focus) {
            Fill(item.hDC, r, RGB(255, 255, 255));
            DrawFocusRect(item.hDC, &r);
        } else {
            Fill(item.hDC, r, RGB(0, 0, 0));
        }
        const int step = ppc::Scale(1);
        InflateRect(&r, -step, -step);
        Fill(item.hDC, r, RGB(255, 255, 255));
        InflateRect(&r, -step, -step);
        Fill(item.hDC, r, static_cast<COLORREF>(colour & 0xFFFFFF));
        return true;
    }

    std::vector<std::pair<int, uint32_t>> swatches_;
};

// ---- Display options --------------------------------------------------------------------------------

class DisplayOptionsDialog : public SwatchDialog {
public:
    explicit DisplayOptionsDialog(tl5::DisplayChoices* choices)
        : SwatchDialog(IDD_DISPLAY_OPTIONS), choices_(choices) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_DISPLAY_OPTIONS), 0, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        const std::pair<int, UINT> texts[] = {
            {IDC_WALLET_VIEW_HEADING, IDS_WALLET_VIEW},
            {IDC_FOLDERS_LABEL, IDS_FOLDERS},
            {IDC_CARDS_LABEL, IDS_CARDS},
            {IDC_TREE_FONT_LABEL, IDS_TEXT_SIZE},
            {IDC_CARD_DEFAULTS_HEADING, IDS_CARD_VIEW_DEFAULTS},
            {IDC_BACKGROUND_LABEL, IDS_BACKGROUND_COLOUR},
            {IDC_FIELD_NAMES_LABEL, IDS_FIELD_NAMES},
            {IDC_FIELD_NAMES_BOLD, IDS_BOLD},
            {IDC_FIELD_DATA_LABEL, IDS_FIELD_DATA},
            {IDC_FIELD_DATA_BOLD, IDS_BOLD},
            {IDC_CARD_SIZE_LABEL, IDS_TEXT_SIZE},
        };
        for (const auto& [id, text] : texts) SetWindowTextW(Item(id), Text(text));
        HFONT heading = AppFontCache().Font(kFont85Bold);
        for (int id : {IDC_WALLET_VIEW_HEADING, IDC_CARD_DEFAULTS_HEADING})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(heading), FALSE);

        AddSwatch(IDC_FOLDER_COLOUR, choices_->folderColour);
        AddSwatch(IDC_CARD_COLOUR, choices_->cardColour);
        ShowCardChoices(choices_->card);

        HWND tree = Item(IDC_TREE_FONT);
        for (uint32_t text : tl5::kTreeFontStrings)
            SendMessageW(tree, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(text)));
        SendMessageW(tree, CB_SETCURSEL, choices_->treeEntry, 0);
        return true;
    }

    void Confirm() {
        choices_->treeEntry = Selection(IDC_TREE_FONT);
        ReadCardChoices(&choices_->card);
        choices_->folderColour = Colour(IDC_FOLDER_COLOUR);
        choices_->cardColour = Colour(IDC_CARD_COLOUR);
        End(TRUE);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDM_DONE:
            case IDOK:
            case IDCANCEL: Confirm(); return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return OnSwatchCommand(id, code);
        }
    }

    tl5::DisplayChoices* choices_;
};

// ---- Card display -----------------------------------------------------------------------------------

class CardDisplayDialog : public SwatchDialog {
public:
    explicit CardDisplayDialog(const tl5::CardHead& head) : SwatchDialog(IDD_CARD_DISPLAY), head_(head) {}

    const tl5::CardHead& Head() const { return head_; }

private:
    DialogFrameSpec Frame() override { return {Text(IDS_CARD_DISPLAY), 0, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        const std::pair<int, UINT> texts[] = {
            {IDC_TEXT_SIZE_LABEL, IDS_TEXT_SIZE},
            {IDC_BACKGROUND_LABEL, IDS_BACKGROUND_COLOUR},
            {IDC_FIELD_NAMES_LABEL, IDS_FIELD_NAMES},
            {IDC_FIELD_NAMES_BOLD, IDS_BOLD},
            {IDC_FIELD_DATA_LABEL, IDS_FIELD_DATA},
            {IDC_FIELD_DATA_BOLD, IDS_BOLD},
            {IDC_PASSWORD_FIELDS_LABEL, IDS_PASSWORD_FIELDS},
            {IDC_ALWAYS_DISPLAY, IDS_ALWAYS_DISPLAY},
            {IDC_PASSWORD_TIP, IDS_PASSWORD_TIP},
        };
        for (const auto& [id, text] : texts) SetWindowTextW(Item(id), Text(text));
        const tl5::CardDisplayChoices c = tl5::CardDisplayChoicesOf(head_);
        ShowCardChoices(c);
        CheckDlgButton(Window(), IDC_ALWAYS_DISPLAY, c.alwaysShowPasswords ? BST_CHECKED : BST_UNCHECKED);
        return true;
    }

    void Confirm() {
        tl5::CardDisplayChoices c;
        ReadCardChoices(&c);
        c.alwaysShowPasswords = IsDlgButtonChecked(Window(), IDC_ALWAYS_DISPLAY) == BST_CHECKED;
        head_ = tl5::ApplyCardDisplayChoices(head_, c);
        End(TRUE);
    }

    bool OnCommand(int id, int code, HWND) override {
        switch (id) {
            case IDM_DONE:
            case IDOK:
            case IDCANCEL: Confirm(); return true;
            case IDM_CANCEL: End(FALSE); return true;
            default: return OnSwatchCommand(id, code);
        }
    }

    tl5::CardHead head_;
};

}  // namespace

bool ShowDisplayOptions(HWND parent, tl5::DisplayChoices* choices) {
    if (!choices) return false;
    tl5::DisplayChoices working = *choices;
    DisplayOptionsDialog dialog(&working);
    if (RunDialog(parent, dialog) != TRUE) return false;
    *choices = working;
    return true;
}

bool ShowCardDisplay(HWND parent, tl5::CardHead* head) {
    if (!head) return false;
    CardDisplayDialog dialog(*head);
    if (RunDialog(parent, dialog) != TRUE) return false;
    if (dialog.Head() == *head) return false;
    *head = dialog.Head();
    return true;
}

bool PickColour(HWND owner, uint32_t* colour) {
    if (!colour) return false;
    CHOOSECOLORW chooser{};
    // The structure's real size: it holds pointers, so it is larger on 64-bit Windows.
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = owner;
    chooser.rgbResult = static_cast<COLORREF>(*colour & 0xFFFFFF);
    chooser.lpCustColors = CustomColours();
    chooser.Flags = CC_RGBINIT;
    if (!ChooseColorW(&chooser)) return false;
    *colour = chooser.rgbResult;
    return true;
}

const COLORREF* ColourChooserCustomColours() { return CustomColours(); }

}  // namespace tl5win
