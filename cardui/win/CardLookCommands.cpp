#include "cardui/win/CardLookCommands.h"

#include <string>
#include <vector>

#include "cardui/win/CardWindow.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/ImageLists.h"
#include "dialogs/ChooserRules.h"
#include "dialogs/win/DisplayOptions.h"
#include "dialogs/win/ItemChoosers.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "platform/Text.h"
#include "resources/messages.h"
#include "resources/resource.h"
#include "shell/win/MainWindow.h"

namespace tl5win {

namespace {

// The card window is still the open one, and not closing: the card may be touched.
bool StillOpen(HWND cardWindow) { return cardWindow && OpenCardWindow() == cardWindow; }

}  // namespace

bool RunCardTextColors(HWND cardWindow, tl5::Card* card) {
    if (!card || !StillOpen(cardWindow)) return false;
    tl5::CardHead head = card->Head();
    if (!ShowCardDisplay(cardWindow, &head) || !StillOpen(cardWindow)) return false;
    card->Head() = head;
    card->SetModified(true);
    PostMessageW(cardWindow, LUM_REFRESH, 0, 0);
    return true;
}

bool RunCardIcon(HWND cardWindow, tl5::Card* card) {
    if (!card || !StillOpen(cardWindow) || !AppWallet().IsOpen()) return false;
    tl5::ItemRecord& record = card->Record();
    tl5::IconChoice choice;
    choice.icon = record.Icon();
    if (record.HasCustomIcon()) choice.customBytes = record.CustomIconBytes();
    if (!ShowIconPicker(cardWindow, AppWallet(), &choice) || !StillOpen(cardWindow)) return false;
    if (!tl5::ApplyIconChoice(&record, choice)) return false;
    // The dialog bar shows the new icon, as view mode shows it.
    HWND bar = GetDlgItem(cardWindow, IDC_DIALOG_BAR);
    const std::wstring name = tl5::ToWide(record.Name());
    if (record.HasCustomIcon()) {
        const std::vector<uint8_t> bytes = record.CustomIconBytes();
        SetDialogBarContent(bar, name.c_str(), kDialogBarCustomIcon, nullptr, nullptr, bytes.data(), bytes.size());
    } else {
        SetDialogBarContent(bar, name.c_str(), record.Icon() + kFirstStockImage, nullptr, StockIconList(IconSize()));
    }
    InvalidateRect(bar, nullptr, TRUE);
    return true;
}

}  // namespace tl5win
