#include "cardui/win/FieldActions.h"

#include <string>

#include "cardui/win/Clipboard.h"
#include "dialogs/win/MediaDialogs.h"
#include "model/Card.h"
#include "platform/File.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"

namespace tl5win {

void RunHandOver(const tl5::HandOver& plan, const tl5::Card* card, HWND parent, bool secret) {
    switch (plan.kind) {
    case tl5::HandOverKind::kMail:
    case tl5::HandOverKind::kWeb:
        ppc::StartDeviceProgram(tl5::AsWide(plan.program.c_str()), tl5::AsWide(plan.commandLine.c_str()));
        break;
    case tl5::HandOverKind::kPhone:
        ppc::tapiRequestMakeCall(tl5::AsWide(plan.text.c_str()), nullptr, nullptr, nullptr);
        break;
    case tl5::HandOverKind::kAttachment:
        if (card && plan.attachment >= 0) {
            OpenAttachmentFile(parent, *card, static_cast<size_t>(plan.attachment));
        }
        break;
    case tl5::HandOverKind::kCopy:
        if (!plan.text.empty() && CopyTextToClipboard(parent, plan.text, secret)) MessageBeep(MB_ICONASTERISK);
        break;
    case tl5::HandOverKind::kRefused: MessageBeep(MB_ICONHAND); break;
    case tl5::HandOverKind::kNothing: break;
    }
}

void CopyRowText(const tl5::ViewRow& row, HWND owner) {
    if (row.text.empty()) return;
    if (CopyTextToClipboard(owner, row.text, tl5::IsSecretCopy(row))) MessageBeep(MB_ICONASTERISK);
}

}  // namespace tl5win
