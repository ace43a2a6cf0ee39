#include "platform/CardServices.h"

namespace tl5 {

namespace {
std::function<bool(const std::u16string&)>& ShellOpenHook() {
    static std::function<bool(const std::u16string&)> hook;
    return hook;
}
}  // namespace

void SetShellOpenHookForTests(std::function<bool(const std::u16string&)> hook) { ShellOpenHook() = std::move(hook); }

bool ShellOpenFile(const std::u16string& path) {
    if (ShellOpenHook()) return ShellOpenHook()(path);
    return OsShellOpenFile(path);
}

}  // namespace tl5
