// The identifier map behind the wallet's offset and index hints, against a standard map: inserting,
// replacing, erasing from the middle of probe runs, growing and updating in place.
#include "model/IdHints.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace tl5;

namespace {

ItemId Id(uint32_t n) {
    ItemId id;
    for (int k = 0; k < 4; ++k) id.bytes[k] = static_cast<uint8_t>(n >> (8 * k));
    id.bytes[8] = 0x5A;  // the rest as a wallet's identifiers made the same day would have it
    return id;
}

}  // namespace

TEST(IdHints, BehavesAsAMapThroughRandomOperations) {
    std::mt19937 rng(7);
    IdHints<uint64_t> hints;
    std::map<uint32_t, uint64_t> model;
    // A small pool of identifiers, so that entries collide, runs form and erasing moves entries back.
    for (int step = 0; step < 40000; ++step) {
        const uint32_t n = rng() % 700;
        const uint64_t value = rng();
        switch (rng() % 5) {
            case 0:
            case 1:
                ASSERT_TRUE(hints.Set(Id(n), value));
                model[n] = value;
                break;
            case 2:
                ASSERT_TRUE(hints.Add(Id(n), value));
                model.emplace(n, value);
                break;
            case 3:
                hints.Erase(Id(n));
                model.erase(n);
                break;
            default:
                if (step % 97 == 0) {
                    // Every odd value is kept and halved; the others go.
                    hints.Update([](const ItemId&, uint64_t& v) {
                        v /= 2;
                        return v % 2 == 1;
                    });
                    for (auto it = model.begin(); it != model.end();) {
                        it->second /= 2;
                        it = it->second % 2 == 1 ? std::next(it) : model.erase(it);
                    }
                }
                break;
        }
        if (step % 500 == 0 || step > 39000) {
            ASSERT_EQ(hints.Size(), model.size()) << step;
            for (uint32_t k = 0; k < 700; ++k) {
                const uint64_t* found = hints.Find(Id(k));
                const auto it = model.find(k);
                ASSERT_EQ(found != nullptr, it != model.end()) << step << " id " << k;
                if (found) {
                    ASSERT_EQ(*found, it->second) << step << " id " << k;
                }
            }
        }
    }
    // Reserving room keeps every entry.
    ASSERT_TRUE(hints.Reserve(5000));
    ASSERT_EQ(hints.Size(), model.size());
    for (const auto& [k, v] : model) {
        ASSERT_NE(hints.Find(Id(k)), nullptr);
        EXPECT_EQ(*hints.Find(Id(k)), v);
    }
    hints.Clear();
    EXPECT_EQ(hints.Size(), 0u);
    EXPECT_EQ(hints.Find(Id(1)), nullptr);
    EXPECT_TRUE(hints.Add(Id(1), 5));
    EXPECT_TRUE(hints.Add(Id(1), 6));  // the first value stays
    EXPECT_EQ(*hints.Find(Id(1)), 5u);
}
