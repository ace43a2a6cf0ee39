#include "dialogs/PasswordRules.h"

#include "StringIds.h"

namespace tl5 {

std::u16string_view ReadLimited(std::u16string_view typed, size_t limit) {
    return typed.substr(0, limit < typed.size() ? limit : typed.size());
}

NewPasswordCheck CheckNewPassword(std::u16string_view password, std::u16string_view confirmation) {
    NewPasswordCheck result;
    if (password.empty()) {
        result.messageId = IDS_PASSWORD_EMPTY;
        result.icon = kIconStop;
    } else if (password.size() != confirmation.size()) {
        result.messageId = IDS_PASSWORDS_DIFFER;
        result.icon = kIconExclamation;
    } else if (password.size() < kPasswordMinLength) {
        result.messageId = IDS_PASSWORD_TOO_SHORT;
        result.icon = kIconStop;
    } else if (password != confirmation) {
        result.messageId = IDS_PASSWORDS_DIFFER;
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
