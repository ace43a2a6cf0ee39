// What the command line asks of a starting process.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tl5 {

struct Settings;

enum class StartRequest {
    Start,      // a normal start (the line is a wallet path, or empty)
    ExitAtOnce, // the line ends with ".tlx": end at once, tell nobody
    SyncStart,  // the line ends with "SYNC_START": tell a running instance, then end
    SyncEnd,    // the line ends with "SYNC_END": likewise
};

// The suffixes are compared without regard to case and only on lines longer than four characters;
// nothing before the suffix is examined.
StartRequest ClassifyCommandLine(std::u16string_view line);

enum class FirstAction { OpenWallet, ShowWalletList };

// The first thing a new instance does. A non-empty line is one wallet path exactly as given (no
// quotes removed); a line longer than the 259 characters a path can hold names no wallet. An empty
// line reopens the last wallet when `OpenLast` is set and the file still exists. `pendingPath`
// receives the path to open.
FirstAction ChooseFirstAction(std::u16string_view line, const Settings& settings,
                              const std::function<bool(const std::u16string&)>& fileExists,
                              std::u16string* pendingPath);

}  // namespace tl5
