#include "shell/CommandLine.h"

#include "cardui/MenuCaptions.h"
#include "cardui/Settings.h"

namespace tl5 {

StartRequest ClassifyCommandLine(std::u16string_view line) {
    if (line.size() <= 4) return StartRequest::Start;
    if (EndsWithIgnoringCase(line, u".tlx")) return StartRequest::ExitAtOnce;
    if (EndsWithIgnoringCase(line, u"SYNC_START")) return StartRequest::SyncStart;
    if (EndsWithIgnoringCase(line, u"SYNC_END")) return StartRequest::SyncEnd;
    return StartRequest::Start;
}

FirstAction ChooseFirstAction(std::u16string_view line, const Settings& settings,
                              const std::function<bool(const std::u16string&)>& fileExists,
                              std::u16string* pendingPath) {
    if (!line.empty()) {
        // A longer line cannot be a path; cutting it could name another, existing file.
        if (line.size() <= kMaxPath) {
            const std::u16string path(line);
            if (fileExists && fileExists(path)) {
                if (pendingPath) *pendingPath = path;
                return FirstAction::OpenWallet;
            }
        }
        return FirstAction::ShowWalletList;
    }
    if (!settings.mru.empty() && settings.openLast != 0 && fileExists && fileExists(settings.mru)) {
        if (pendingPath) *pendingPath = settings.mru;
        return FirstAction::OpenWallet;
    }
    return FirstAction::ShowWalletList;
}

}  // namespace tl5
