#include "fuzz/FuzzSeeds.h"

namespace {

void WriteUtf8Seeds(std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
    const char* samples[] = {"Bank card", "caf\xc3\xa9 \xe2\x82\xac", "\xf0\x9f\x94\x91 key", ""};
    int n = 0;
    for (const char* s : samples) {
        std::string text(s);
        files.push_back({"utf8-" + std::to_string(n++), std::vector<uint8_t>(text.begin(), text.end())});
    }
}

}  // namespace

TL5_FUZZ_SEEDS("utf8_fuzz", WriteUtf8Seeds);
