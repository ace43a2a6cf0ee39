// The rules the two password dialogs apply, kept apart from the windows so they can be checked on
// every platform: how much of a typed password is read, the checks of a new password, the idle
// countdown and the bookkeeping of rejected attempts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tl5 {

// The password boxes accept this many typed characters...
constexpr size_t kPasswordBoxLimit = 24;
// ...but only this many are read when a dialog is confirmed. Stored wallets were made with this
// rule: a password typed with 24 characters is kept and matched as its first 23.
constexpr size_t kPasswordReadLimit = 23;
// Automatic acceptance compares the whole text of the entry box, up to this many characters.
constexpr size_t kAutoAcceptReadLimit = 63;
// The hint box.
constexpr size_t kHintLimit = 255;
// Shortest password a new wallet accepts.
constexpr size_t kPasswordMinLength = 3;
// Seconds a password dialog waits before it gives up by itself.
constexpr int kPasswordIdleSeconds = 120;
// Rejected attempts after which the entry dialog offers the wallet's hint (once).
constexpr int kHintAfterFailures = 5;

// Message box icons used by the dialogs (the platform's flag values).
constexpr uint32_t kIconStop = 0x10;
constexpr uint32_t kIconQuestion = 0x20;
constexpr uint32_t kIconExclamation = 0x30;
constexpr uint32_t kIconInformation = 0x40;

// The part of a typed text the dialogs read: at most `limit` code units.
std::u16string_view ReadLimited(std::u16string_view typed, size_t limit);

// The outcome of confirming the new-password dialog.
struct NewPasswordCheck {
    bool accepted = false;
    uint32_t messageId = 0;  // string shown when refused
    uint32_t icon = 0;       // its icon
};

// Checks a new password and its confirmation as the dialog reads them (each already cut to
// kPasswordReadLimit). The first failing check decides: empty, lengths differ, too short,
// characters differ (case-sensitive, code unit by code unit).
NewPasswordCheck CheckNewPassword(std::u16string_view password, std::u16string_view confirmation);

// The idle countdown of a password dialog: one tick per second; expired at zero.
class IdleCountdown {
public:
    explicit IdleCountdown(int seconds = kPasswordIdleSeconds) : start_(seconds), left_(seconds) {}
    // One second has passed; true when the countdown has just reached zero (the dialog gives up).
    bool Tick();
    // Back to the full period (after a rejected attempt).
    void Restart() { left_ = start_; }
    int SecondsLeft() const { return left_; }

private:
    int start_;
    int left_;
};

// Rejected attempts in one run of the entry dialog.
class EntryAttempts {
public:
    // Counts a rejected attempt; true when this is the attempt at which the hint is to be offered
    // (the first one that brings the count to kHintAfterFailures or more). The hint is offered at
    // most once per run, whether or not the wallet has one.
    bool Reject();
    int Failures() const { return failures_; }
    bool HintOffered() const { return hintOffered_; }

private:
    int failures_ = 0;
    bool hintOffered_ = false;
};

}  // namespace tl5
