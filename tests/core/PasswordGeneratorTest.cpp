#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "cardui/PasswordGenerator.h"
#include "resources/StringTable.h"

using namespace tl5;

namespace {

// Words in a given order; fails once they run out.
class SequenceSource : public RandomWordSource {
public:
    explicit SequenceSource(std::vector<uint32_t> words) : words_(std::move(words)) {}
    bool Next(uint32_t* word) override {
        if (used_ >= words_.size()) return false;
        *word = words_[used_++];
        return true;
    }
    size_t Used() const { return used_; }

private:
    std::vector<uint32_t> words_;
    size_t used_ = 0;
};

// A deterministic, well spread source (splitmix64), so that table runs are repeatable.
class SeededSource : public RandomWordSource {
public:
    explicit SeededSource(uint64_t seed) : state_(seed) {}
    bool Next(uint32_t* word) override {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        *word = static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
        return true;
    }

private:
    uint64_t state_;
};

// The same word for ever.
class ConstantSource : public RandomWordSource {
public:
    explicit ConstantSource(uint32_t word) : word_(word) {}
    bool Next(uint32_t* word) override {
        *word = word_;
        ++calls;
        return true;
    }
    int calls = 0;

private:
    uint32_t word_;
};

constexpr std::u16string_view kLookalikes = u"0Oo1lI";

bool HasClass(std::u16string_view password, unsigned classBit) {
    return std::any_of(password.begin(), password.end(), [classBit](char16_t c) {
        return PasswordClassCharacters(classBit, false).find(c) != std::u16string_view::npos;
    });
}

std::u16string TableText(uint32_t id) {
    const char16_t* t = StringTableLookup(id);
    return t ? t : u"";
}

}  // namespace

TEST(PasswordGenerator, EveryClassCombinationHoldsLengthClassesAndLookalikeRule) {
    SeededSource source(20240611);
    std::u16string lookalikesSeen;
    for (unsigned classes = 1; classes <= kAllPasswordClasses; ++classes) {
        for (bool noLookalike : {false, true}) {
            for (int length : {kGeneratedLengthMin, 5, kGeneratedLengthDefault, kGeneratedLengthMax}) {
                const PasswordOptions options{length, classes, noLookalike};
                ASSERT_EQ(CheckPasswordOptions(options), GenerateResult::ok);
                for (int round = 0; round < 40; ++round) {
                    std::u16string p = u"previous content";
                    ASSERT_EQ(GeneratePassword(options, source, &p), GenerateResult::ok);
                    SCOPED_TRACE(PasswordClassLetters(classes) + " length " + std::to_string(length) +
                                 (noLookalike ? " no look-alikes" : ""));
                    ASSERT_EQ(p.size(), static_cast<size_t>(length));
                    for (unsigned bit : {kClassUpper, kClassLower, kClassDigits, kClassSymbols}) {
                        // Every chosen class appears; no other class does.
                        EXPECT_EQ(HasClass(p, bit), (classes & bit) != 0) << "class " << bit;
                    }
                    for (char16_t c : p) {
                        const bool lookalike = kLookalikes.find(c) != std::u16string_view::npos;
                        EXPECT_FALSE(noLookalike && lookalike) << static_cast<char>(c);
                        if (lookalike && lookalikesSeen.find(c) == std::u16string::npos) lookalikesSeen += c;
                    }
                }
            }
        }
    }
    // Without the option every look-alike does come up: the rule above is not passed by accident.
    std::sort(lookalikesSeen.begin(), lookalikesSeen.end());
    EXPECT_EQ(lookalikesSeen, u"01IOlo");
}

TEST(PasswordGenerator, ImpossibleRequestsAreRefusedWithoutDrawingAndLeaveNothing) {
    struct Case {
        PasswordOptions options;
        GenerateResult result;
        const char16_t* message;
    } cases[] = {
        {{3, kAllPasswordClasses, false},
         GenerateResult::lengthTooShortForClasses,
         u"A password of 3 characters cannot hold one character of each of the 4 chosen kinds."},
        {{2, kClassUpper | kClassDigits | kClassSymbols, true},
         GenerateResult::lengthTooShortForClasses,
         u"A password of 2 characters cannot hold one character of each of the 3 chosen kinds."},
        {{3, kClassDigits, false}, GenerateResult::lengthOutOfRange, u"The length must be from 4 to 64 characters."},
        {{65, kClassLower, false}, GenerateResult::lengthOutOfRange, u"The length must be from 4 to 64 characters."},
        {{0, kAllPasswordClasses, false},
         GenerateResult::lengthOutOfRange,
         u"The length must be from 4 to 64 characters."},
        {{-5, kClassLower, false}, GenerateResult::lengthOutOfRange, u"The length must be from 4 to 64 characters."},
        {{20, 0, false}, GenerateResult::noClass, u"Choose at least one kind of character."},
        {{20, 16, false}, GenerateResult::noClass, u"Choose at least one kind of character."},  // no known class
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.length);
        SequenceSource source({1, 2, 3, 4, 5, 6, 7, 8});
        std::u16string p = u"an old password";
        EXPECT_EQ(GeneratePassword(c.options, source, &p), c.result);
        EXPECT_TRUE(p.empty());
        EXPECT_EQ(source.Used(), 0u);
        EXPECT_EQ(PasswordStrengthBits(c.options), 0.0);
        EXPECT_EQ(GenerateResultText(c.result, c.options, TableText), c.message);
    }
}

TEST(PasswordGenerator, UniformDrawRejectsTheWordsAboveTheLastWholeMultiple) {
    // The first word that is rejected for each range: 2^32 rounded down to a multiple of n. Below it
    // every residue has the same number of words; a plain modulo would favour the low residues.
    struct Case {
        uint32_t n;
        uint64_t firstRejected;
    } cases[] = {
        {3, 4294967295u},  {10, 4294967290u}, {26, 4294967274u}, {28, 4294967292u},
        {90, 4294967220u}, {8, 4294967296u},  {64, 4294967296u}, {1, 4294967296u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const uint32_t lastAccepted = static_cast<uint32_t>(c.firstRejected - 1);
        uint32_t v = 99;
        SequenceSource accepted({lastAccepted});
        ASSERT_TRUE(UniformBelow(accepted, c.n, &v));
        EXPECT_EQ(v, lastAccepted % c.n);
        if (c.firstRejected > 0xFFFFFFFFu) continue;  // a power of two: nothing is rejected
        // Rejected words (the lowest and the highest) are skipped, and the next accepted word decides.
        SequenceSource source({static_cast<uint32_t>(c.firstRejected), 0xFFFFFFFFu, c.n + 1});
        ASSERT_TRUE(UniformBelow(source, c.n, &v));
        EXPECT_EQ(v, 1u % c.n);
        EXPECT_EQ(source.Used(), 3u);
    }
    uint32_t v = 0;
    SequenceSource any({5});
    EXPECT_FALSE(UniformBelow(any, 0, &v));
}

TEST(PasswordGenerator, ABrokenSourceFailsTheRequestInsteadOfHangingOrPadding) {
    const PasswordOptions options;  // 20 characters, all classes
    std::u16string p = u"an old password";
    // Too few words: the draw stops where the source fails and nothing partial is returned.
    SequenceSource shortSource({0, 1, 2, 3, 4, 5});
    EXPECT_EQ(GeneratePassword(options, shortSource, &p), GenerateResult::randomFailed);
    EXPECT_TRUE(p.empty());
    // A source that only gives a word every range here rejects must not loop for ever.
    ConstantSource stuck(0xFFFFFFFFu);
    EXPECT_EQ(GeneratePassword(options, stuck, &p), GenerateResult::randomFailed);
    EXPECT_TRUE(p.empty());
    EXPECT_LT(stuck.calls, 1000);
    EXPECT_EQ(GenerateResultText(GenerateResult::randomFailed, options, TableText),
              u"The system's random number generator failed; no password was made.");
}

TEST(PasswordGenerator, GuaranteedCharactersAreShuffledIntoEveryOrderAlike) {
    // Four characters of four classes: one of each, so each password is one of 24 class orders. A fair
    // shuffle makes them equally likely (expected 1000 each, standard deviation about 31).
    SeededSource source(7);
    const PasswordOptions options{4, kAllPasswordClasses, false};
    std::map<std::string, int> orders;
    for (int round = 0; round < 24000; ++round) {
        std::u16string p;
        ASSERT_EQ(GeneratePassword(options, source, &p), GenerateResult::ok);
        std::string order;
        for (char16_t c : p)
            for (unsigned bit : {kClassUpper, kClassLower, kClassDigits, kClassSymbols})
                if (PasswordClassCharacters(bit, false).find(c) != std::u16string_view::npos)
                    order += PasswordClassLetters(bit);
        ++orders[order];
    }
    ASSERT_EQ(orders.size(), 24u);
    for (const auto& [order, count] : orders) {
        EXPECT_GT(count, 850) << order;
        EXPECT_LT(count, 1150) << order;
    }
}

TEST(PasswordGenerator, StrengthIsLengthTimesTheBitsOfTheAlphabet) {
    struct Case {
        PasswordOptions options;
        int alphabet;
    } cases[] = {
        {{20, kAllPasswordClasses, false}, 90},
        {{20, kAllPasswordClasses, true}, 84},
        {{8, kClassDigits, false}, 10},
        {{8, kClassDigits, true}, 8},
        {{64, kClassUpper | kClassLower, true}, 48},
        {{12, kClassSymbols, true}, 28},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PasswordAlphabetSize(c.options), c.alphabet);
        EXPECT_NEAR(PasswordStrengthBits(c.options), c.options.length * std::log2(c.alphabet), 1e-9);
    }
    EXPECT_EQ(static_cast<int>(PasswordStrengthBits({20, kAllPasswordClasses, false})), 129);
    EXPECT_EQ(static_cast<int>(PasswordStrengthBits({8, kClassDigits, true})), 24);
}

TEST(PasswordGenerator, ClassLettersReadAndWrite) {
    struct Case {
        const char* letters;
        bool ok;
        unsigned classes;
    } cases[] = {
        {"ulds", true, kAllPasswordClasses},
        {"sdlu", true, kAllPasswordClasses},
        {"d", true, kClassDigits},
        {"us", true, kClassUpper | kClassSymbols},
        {"", false, 0},
        {"x", false, 0},
        {"uu", false, 0},
        {"U", false, 0},
        {"ul d", false, 0},
    };
    for (const Case& c : cases) {
        unsigned classes = 99;
        EXPECT_EQ(ParsePasswordClassLetters(c.letters, &classes), c.ok) << c.letters;
        if (c.ok) {
            EXPECT_EQ(classes, c.classes) << c.letters;
        } else {
            EXPECT_EQ(classes, 99u) << c.letters;
        }
    }
    EXPECT_EQ(PasswordClassLetters(kAllPasswordClasses), "ulds");
    EXPECT_EQ(PasswordClassLetters(kClassSymbols | kClassLower), "ls");
}
