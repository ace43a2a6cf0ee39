// Helpers of the tl5 commands that work on the items of a wallet: opening the wallet with the password
// from standard input, naming items by id or by path, field types by name, and ISO 8601 times.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Card.h"
#include "model/Wallet.h"

namespace tl5cli {

// Opens the wallet for work (read-only when asked). A password is read only when the wallet has one.
// On failure an error line is printed and the exit status is returned in *status.
bool OpenWalletForCommand(const char* command, const std::string& path, bool readOnly, tl5::Wallet* wallet,
                          int* status);
// Closes with saving; prints an error and returns its exit status when the save fails.
int CloseWalletForCommand(const char* command, tl5::Wallet* wallet);

// An item named by its 32-digit id or by its path of names from the top level ("Personal/Bank card");
// "/" or "" names the top level (-1 with *isTop set). The table index, or -1 with a message printed.
int ResolveItem(const char* command, tl5::Wallet& wallet, const std::string& item, bool* isTop = nullptr);
// The path of names of a table entry ("Personal/Bank card").
std::u16string ItemPath(const tl5::Wallet& wallet, int index);

// Loads a card by table index; prints an error when it is not a card or cannot be read.
std::unique_ptr<tl5::Card> LoadCardForCommand(const char* command, tl5::Wallet& wallet, int index);
// Writes a changed card back (the record marked as changed first); exit status.
int SaveCardForCommand(const char* command, tl5::Wallet& wallet, tl5::Card* card);

// A field named by its name (first match) or, when no field has that name, by its 0-based index.
int ResolveField(const char* command, const tl5::Card& card, const std::string& field);

// Field type codes by name ("text", "url", "link", "email", "phone", "password", "date", "time",
// "datetime", "choice", "list", "yesno", "capfirst", "capwords") or number; 0 when unknown.
uint16_t ParseFieldType(const std::string& text);
const char* FieldTypeName(uint16_t type);

// ISO 8601: "2026-12-09", "14:05[:30]", "2026-12-09T14:05[:30]" (a space may replace the T). The
// day of the week is filled in. False when malformed or out of range.
bool ParseIsoTime(const std::string& text, uint16_t type, tl5::SystemTime* time);

}  // namespace tl5cli

namespace tl5cli {
// A field's date/time as ISO 8601 for its type ("2026-12-09", "14:05:00" or "2026-12-09T14:05:00"); ""
// when not set.
std::string FieldTimeText(const tl5::SystemTime& time, uint16_t type);
}  // namespace tl5cli
