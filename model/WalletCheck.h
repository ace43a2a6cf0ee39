// The consistency check of a wallet file (tl5 check): every record and card body is read and what is
// malformed is listed with its file offset. Nothing is changed; damage of any kind is reported, never
// trusted: every length is checked against the file before it is used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/CipherKey.h"
#include "platform/File.h"

namespace tl5 {

struct WalletProblem {
    uint64_t offset;
    std::string what;
};

struct WalletCheckReport {
    std::vector<WalletProblem> problems;
    uint64_t liveRecords = 0;
    uint64_t tombstones = 0;
};

// Walks the records of the wallet file from the first record offset with the RecordKey and fills the
// report (problems in the order found, then the relations between live records).
void CheckWalletRecords(File& file, const CipherKey& key, WalletCheckReport* report);

}  // namespace tl5
