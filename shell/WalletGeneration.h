// The wallet generation: a number that changes every time a wallet is opened or closed.
//
// Code that resumes after a modal loop (a question box, a dialog) or that arrives by a posted message
// takes a ticket before it waits and checks it afterwards: the same wallet is still open only when the
// ticket is still current. A pointer compare cannot tell this (the one Wallet object is reused), and a
// wallet closed and opened again in between gets a new number.
#pragma once

#include <cstdint>

namespace tl5 {

class WalletGeneration {
public:
    // Called when a wallet has been opened for work and when it has been closed (or failed to open).
    void Opened() {
        ++value_;
        open_ = true;
    }
    void Closed() {
        ++value_;
        open_ = false;
    }

    bool IsOpen() const { return open_; }
    uint64_t Value() const { return value_; }
    // The ticket of the wallet open now; 0 when none is open (0 is never current).
    uint64_t Ticket() const { return open_ ? value_ : 0; }
    // True when a wallet is open and it is the one the ticket was taken for.
    bool IsCurrent(uint64_t ticket) const { return open_ && ticket != 0 && ticket == value_; }

private:
    uint64_t value_ = 0;
    bool open_ = false;
};

// The generation of the process's one wallet (user-interface thread only).
WalletGeneration& AppWalletGeneration();

}  // namespace tl5
