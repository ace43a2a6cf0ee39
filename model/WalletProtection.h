// Turning the modern protection of a wallet file on and off, and creating a wallet with it.
//
// These work on closed wallets, by path: the whole file is replaced through a temporary file in the same
// folder and a rename, so a kill or a power cut at any moment leaves the old or the new file. The
// application asks which protection a wallet has with ProbeEnvelopeFile (model/WalletEnvelope.h), and
// the open wallet with Wallet::Protection().
#pragma once

#include <string>
#include <string_view>

#include "model/WalletEnvelope.h"
#include "platform/File.h"

namespace tl5 {

enum ProtectResult : int {
    kProtectOk = 0,
    kProtectCannotOpen = 1,     // the wallet did not open; *openResult says why (an OpenResult code)
    kProtectAlready = 2,        // protect: the wallet is protected already
    kProtectNotProtected = 3,   // unprotect: the wallet is a classic one
    kProtectNoPassword = 4,     // protect: the wallet has no password to derive the key from
    kProtectCannotWrite = 5,    // the new file could not be written; the old one is unchanged
    kProtectFailed = 6,         // out of memory, or the cryptographic library failed
};

// Whether the password opens the wallet at the path, for a password dialog that accepts only the right
// password (a protected wallet's hint and verifier are inside the envelope, so its header cannot be
// read beforehand). kOpenOk; kOpenWrongPassword for a classic wallet whose verifier does not match;
// kOpenWrongPasswordOrDamaged when a protected wallet's tag does not; otherwise the probe's error. For a
// protected wallet every try runs the key derivation: a deliberate cost.
int CheckWalletPassword(FileSystem& fs, const std::u16string& path, std::u16string_view password);

// The OpenResult code (model/Wallet.h) for an envelope reader's result.
int OpenResultFromEnvelope(int envelopeResult);

// Creates a new protected wallet (left closed): the classic wallet is built in memory and only its
// envelope is written. Create result codes (model/Wallet.h).
int CreateProtectedWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                          std::u16string_view hint, bool sampleFolder, const EnvelopeParams& params);

// Wraps a classic wallet in the envelope under a key from its password, which must check.
[[nodiscard]] int ProtectWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                                const EnvelopeParams& params, int* openResult);
// Puts the classic wallet back in place of its envelope (the user asks for it: this writes the classic
// file, with its weaker protection, to the disk).
[[nodiscard]] int UnprotectWallet(FileSystem& fs, const std::u16string& path, std::u16string_view password,
                                  int* openResult);

}  // namespace tl5
