#include "dialogs/win/SecurityOptions.h"

#include <vector>

#include "StringIds.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/Strings.h"
#include "platform/Text.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

HWND g_current = nullptr;

class SecurityOptionsDialog : public Dialog {
public:
    explicit SecurityOptionsDialog(tl5::SecurityOptions* options)
        : Dialog(IDD_SECURITY_OPTIONS), options_(options),
          entries_(tl5::AutoCloseEntries(options->autoCloseMinutes, TextU16)) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_SECURITY), IDI_TL_OPTIONS, IDMB_DONE_CANCEL}; }

    bool OnInit() override {
        g_current = Window();
        SetWindowTextW(Item(IDC_AUTO_CLOSE_LABEL), Text(IDS_AUTO_CLOSE_LABEL));
        SetWindowTextW(Item(IDC_CLOSE_ON_SWITCH), Text(IDS_CLOSE_ON_SWITCH));
        SetWindowTextW(Item(IDC_CLOSE_ON_LOCK), Text(IDS_CLOSE_ON_LOCK));
        SetWindowTextW(Item(IDC_MODERN_PROTECTION), Text(IDS_MODERN_PROTECTION));
        SetWindowTextW(Item(IDC_SECURITY_PROTECTION), tl5::ToWide(options_->protectionLine).c_str());
        HWND list = Item(IDC_AUTO_CLOSE_PERIOD);
        for (const tl5::AutoCloseEntry& entry : entries_)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tl5::ToWide(entry.text).c_str()));
        SendMessageW(list, CB_SETCURSEL, tl5::AutoCloseSelection(entries_, options_->autoCloseMinutes), 0);
        CheckDlgButton(Window(), IDC_CLOSE_ON_SWITCH, options_->closeOnSwitch ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Window(), IDC_CLOSE_ON_LOCK, options_->closeOnLock ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Window(), IDC_MODERN_PROTECTION, options_->modernProtection ? BST_CHECKED : BST_UNCHECKED);
        for (int id : {IDC_AUTO_CLOSE_LABEL, IDC_AUTO_CLOSE_PERIOD, IDC_CLOSE_ON_LOCK, IDC_MODERN_PROTECTION,
                       IDC_SECURITY_PROTECTION})
            StretchControl(Window(), id);
        return true;
    }

    void Confirm() {
        const int selected = static_cast<int>(SendMessageW(Item(IDC_AUTO_CLOSE_PERIOD), CB_GETCURSEL, 0, 0));
        options_->autoCloseMinutes = tl5::AutoClosePeriodOf(entries_, selected, options_->autoCloseMinutes);
        options_->closeOnSwitch = IsDlgButtonChecked(Window(), IDC_CLOSE_ON_SWITCH) == BST_CHECKED;
        options_->closeOnLock = IsDlgButtonChecked(Window(), IDC_CLOSE_ON_LOCK) == BST_CHECKED;
        options_->modernProtection = IsDlgButtonChecked(Window(), IDC_MODERN_PROTECTION) == BST_CHECKED;
        End(TRUE);
    }

    bool OnCommand(int id, int, HWND) override {
        switch (id) {
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

    tl5::SecurityOptions* options_;
    std::vector<tl5::AutoCloseEntry> entries_;
};

}  // namespace

bool ShowSecurityOptions(HWND parent, tl5::SecurityOptions* options) {
    if (!options) return false;
    SecurityOptionsDialog dialog(options);
    return RunDialog(parent, dialog) == TRUE;
}

HWND CurrentSecurityOptions() { return g_current; }

}  // namespace tl5win
