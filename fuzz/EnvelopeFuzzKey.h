// The password, salt and costs of the envelope seeds (fuzz/seeds/WalletSeeds.cpp), shared with the
// envelope fuzz target so that it derives the seeds' key once and never runs Argon2 per input.
#pragma once

#include <cstdint>
#include <string>

#include "model/WalletEnvelope.h"

namespace tl5fuzz {

inline const std::u16string kEnvelopePassword = u"fuzz pass";
inline constexpr uint8_t kEnvelopeSaltByte = 0x5A;

inline tl5::EnvelopeParams EnvelopeSeedParams() {
    tl5::EnvelopeParams p;
    p.memoryKiB = tl5::kEnvelopeMinMemoryKiB;
    p.passes = 1;
    p.lanes = 1;
    return p;
}

// The seeds' key; false when it cannot be derived.
inline bool DeriveEnvelopeSeedKey(tl5::EnvelopeKey* key) {
    uint8_t salt[tl5::kEnvelopeSaltSize];
    for (uint8_t& b : salt) b = kEnvelopeSaltByte;
    return tl5::DeriveEnvelopeKey(kEnvelopePassword, EnvelopeSeedParams(), salt, key) == tl5::kEnvelopeOk;
}

}  // namespace tl5fuzz
