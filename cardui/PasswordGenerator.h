// The password generator behind the Generate command of the card editor and `tl5 generate`.
//
// A password of the requested length is drawn from the chosen character classes with at least one
// character of every chosen class: one character is drawn from each class, the rest from all chosen
// classes together, and the whole is shuffled (Fisher-Yates). Every draw is uniform: a random word is
// rejected unless it lies below the largest multiple of the range, so no character is favoured.
// The words come from the operating system's cryptographic generator unless a caller supplies its
// own source (tests).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FormatText.h"

namespace tl5 {

// Character classes, combinable.
enum PasswordClassBits : unsigned {
    kClassUpper = 1,    // A-Z
    kClassLower = 2,    // a-z
    kClassDigits = 4,   // 0-9
    kClassSymbols = 8,  // ASCII punctuation without quotes, backslash and space
    kAllPasswordClasses = 15,
};

constexpr int kGeneratedLengthMin = 4;
constexpr int kGeneratedLengthMax = 64;
constexpr int kGeneratedLengthDefault = 20;

struct PasswordOptions {
    int length = kGeneratedLengthDefault;
    unsigned classes = kAllPasswordClasses;  // PasswordClassBits; bits above kAllPasswordClasses are ignored
    bool noLookalike = false;                // leave out 0 O o 1 l I
};

enum class GenerateResult {
    ok,
    noClass,                   // no character class chosen
    lengthTooShortForClasses,  // fewer characters than chosen classes: one of each cannot be had
    lengthOutOfRange,          // outside kGeneratedLengthMin..kGeneratedLengthMax
    randomFailed,              // the random source failed (or kept giving only rejected words)
};

// Where the random words come from.
class RandomWordSource {
public:
    virtual ~RandomWordSource() = default;
    // One uniformly distributed 32-bit word; false when the source fails.
    [[nodiscard]] virtual bool Next(uint32_t* word) = 0;
};

// The operating system's cryptographic generator.
class OsRandomWordSource : public RandomWordSource {
public:
    bool Next(uint32_t* word) override;
};

// A uniform number in 0..n-1 (n >= 1) by rejection sampling. False when the source fails, or when it
// gives only rejected words many times in a row (a broken source must not hang the caller).
[[nodiscard]] bool UniformBelow(RandomWordSource& source, uint32_t n, uint32_t* value);

// How many chosen classes the bits name (0-4).
int PasswordClassCount(unsigned classes);

// The characters a class offers under the options (`classBit` is one PasswordClassBits value).
std::u16string_view PasswordClassCharacters(unsigned classBit, bool noLookalike);

// The size of the union of the chosen classes' characters.
int PasswordAlphabetSize(const PasswordOptions& options);

// Whether the options can be met; GenerateResult::ok when they can.
GenerateResult CheckPasswordOptions(const PasswordOptions& options);

// Fills *password (its old content wiped first) with a new password. On any failure *password is
// left empty and nothing of a partial password remains in it.
[[nodiscard]] GenerateResult GeneratePassword(const PasswordOptions& options, RandomWordSource& source,
                                              std::u16string* password);
// The same from the operating system's generator.
[[nodiscard]] GenerateResult GeneratePassword(const PasswordOptions& options, std::u16string* password);

// The strength figure shown beside a password: length * log2(alphabet size), in bits, with the
// alphabet the union of the chosen classes. It is the entropy of a password drawn uniformly from that
// alphabet; guaranteeing one character of each class lowers the true figure a little: by well under
// one bit for 20 characters of all four classes, by about four bits for 4 characters of four classes.
// 0 when the options cannot be met.
double PasswordStrengthBits(const PasswordOptions& options);

// The classes as letters u, l, d, s in that order (the `--classes` form of `tl5 generate`).
std::string PasswordClassLetters(unsigned classes);
// Reads the letters u, l, d, s (each at most once, in any order). False on an empty text, another
// letter or a repeat.
[[nodiscard]] bool ParsePasswordClassLetters(std::string_view letters, unsigned* classes);

// The message that explains a refused request, from the string table through `strings`; empty for ok.
std::u16string GenerateResultText(GenerateResult result, const PasswordOptions& options, const StringSource& strings);

}  // namespace tl5
