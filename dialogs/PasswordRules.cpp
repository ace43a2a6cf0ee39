#include "dialogs/PasswordRules.h"

namespace tl5 {

std::u16string_view ReadLimited(std::u16string_view typed, size_t limit) {
    return typed.substr(0, limit < typed.size() ? limit : typed.size());
}

NewPasswordCheck CheckNewPassword(std::u16string_view password, std::u16string_view confirmation) {
    NewPasswordCheck result;
    if (password.empty()) {
        result.messageId = 27003;
        result.icon = kIconStop;
    } else if (password.size() != confirmation.size()) {
        result.messageId = 27004;
        result.icon = kIconExclamation;
    } else if (password.size() < kPasswordMinLength) {
        result.messageId = 27007;
        result.icon = kIconStop;
    } else if (password != confirmation) {
        result.messageId = 27004;
        result.icon = kIconExclamation;
    } else {
        result.accepted = true;
    }
    return result;
}

bool IdleCountdown::Tick() {
    if (left_ <= 0) return false;
    --left_;
    return left_ == 0;
}

bool EntryAttempts::Reject() {
    ++failures_;
    if (failures_ >= kHintAfterFailures && !hintOffered_) {
        hintOffered_ = true;
        return true;
    }
    return false;
}

}  // namespace tl5
