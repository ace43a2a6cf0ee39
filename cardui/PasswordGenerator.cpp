#include "cardui/PasswordGenerator.h"

#include <cmath>
#include <utility>

#include "StringIds.h"
#include "platform/Random.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

constexpr unsigned kClassOrder[] = {kClassUpper, kClassLower, kClassDigits, kClassSymbols};
constexpr char kClassLetters[] = {'u', 'l', 'd', 's'};

// Each class as it is, and without the look-alikes 0 O o 1 l I.
constexpr std::u16string_view kUpper = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kUpperPlain = u"ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::u16string_view kLower = u"abcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kLowerPlain = u"abcdefghijkmnpqrstuvwxyz";
constexpr std::u16string_view kDigits = u"0123456789";
constexpr std::u16string_view kDigitsPlain = u"23456789";
// Quotes, the backslash and the space are left out: they are the characters most often mangled when a
// password is pasted into a shell, a form or a file.
constexpr std::u16string_view kSymbols = u"!#$%&()*+,-./:;<=>?@[]^_{|}~";

// Consecutive rejected words after which the source is taken to be broken. A working source is
// rejected with a probability below 2^-25 per word for the ranges used here.
constexpr int kMaxRejections = 64;

unsigned ValidClasses(unsigned classes) { return classes & kAllPasswordClasses; }

bool Pick(RandomWordSource& source, std::u16string_view from, char16_t* out) {
    uint32_t k = 0;
    if (!UniformBelow(source, static_cast<uint32_t>(from.size()), &k)) return false;
    *out = from[k];
    return true;
}

}  // namespace

bool OsRandomWordSource::Next(uint32_t* word) { return OsRandomBytes(word, sizeof *word); }

bool UniformBelow(RandomWordSource& source, uint32_t n, uint32_t* value) {
    if (n == 0) return false;
    // Words at or above the largest multiple of n below 2^32 would make the low residues more likely.
    const uint64_t words = uint64_t{1} << 32;
    const uint64_t limit = words - words % n;
    for (int attempt = 0; attempt <= kMaxRejections; ++attempt) {
        uint32_t word = 0;
        if (!source.Next(&word)) return false;
        if (word < limit) {
            *value = word % n;
            return true;
        }
    }
    return false;
}

int PasswordClassCount(unsigned classes) {
    int n = 0;
    for (unsigned bit : kClassOrder) n += (classes & bit) ? 1 : 0;
    return n;
}

std::u16string_view PasswordClassCharacters(unsigned classBit, bool noLookalike) {
    switch (classBit) {
        case kClassUpper: return noLookalike ? kUpperPlain : kUpper;
        case kClassLower: return noLookalike ? kLowerPlain : kLower;
        case kClassDigits: return noLookalike ? kDigitsPlain : kDigits;
        case kClassSymbols: return kSymbols;
        default: return {};
    }
}

int PasswordAlphabetSize(const PasswordOptions& options) {
    int size = 0;
    for (unsigned bit : kClassOrder)
        if (options.classes & bit) size += static_cast<int>(PasswordClassCharacters(bit, options.noLookalike).size());
    return size;
}

GenerateResult CheckPasswordOptions(const PasswordOptions& options) {
    const int classes = PasswordClassCount(ValidClasses(options.classes));
    if (classes == 0) return GenerateResult::noClass;
    // A length too short for one character of each class says so, rather than just naming the range.
    if (options.length >= 1 && options.length < classes) return GenerateResult::lengthTooShortForClasses;
    if (options.length < kGeneratedLengthMin || options.length > kGeneratedLengthMax)
        return GenerateResult::lengthOutOfRange;
    return GenerateResult::ok;
}

GenerateResult GeneratePassword(const PasswordOptions& options, RandomWordSource& source, std::u16string* password) {
    SecureZero(*password);
    const GenerateResult check = CheckPasswordOptions(options);
    if (check != GenerateResult::ok) return check;

    // The union of the chosen classes (no secret: the same for every password of these options).
    std::u16string alphabet;
    for (unsigned bit : kClassOrder)
        if (options.classes & bit) alphabet += PasswordClassCharacters(bit, options.noLookalike);

    // Room for the whole password at once, so that no growth leaves a copy of its start behind.
    const size_t length = static_cast<size_t>(options.length);
    if (password->capacity() < length) password->reserve(length);
    password->assign(length, u'\0');
    char16_t* p = password->data();
    auto fail = [password] {
        SecureZero(*password);
        return GenerateResult::randomFailed;
    };

    size_t at = 0;
    for (unsigned bit : kClassOrder) {
        if (!(options.classes & bit)) continue;
        if (!Pick(source, PasswordClassCharacters(bit, options.noLookalike), &p[at++])) return fail();
    }
    for (; at < length; ++at)
        if (!Pick(source, alphabet, &p[at])) return fail();

    // Fisher-Yates: every order of the characters equally likely, so the guaranteed ones are not at
    // the front.
    for (size_t i = length - 1; i > 0; --i) {
        uint32_t j = 0;
        if (!UniformBelow(source, static_cast<uint32_t>(i + 1), &j)) return fail();
        std::swap(p[i], p[j]);
    }
    return GenerateResult::ok;
}

GenerateResult GeneratePassword(const PasswordOptions& options, std::u16string* password) {
    OsRandomWordSource source;
    return GeneratePassword(options, source, password);
}

double PasswordStrengthBits(const PasswordOptions& options) {
    if (CheckPasswordOptions(options) != GenerateResult::ok) return 0.0;
    return options.length * std::log2(static_cast<double>(PasswordAlphabetSize(options)));
}

std::string PasswordClassLetters(unsigned classes) {
    std::string letters;
    for (size_t k = 0; k < 4; ++k)
        if (classes & kClassOrder[k]) letters += kClassLetters[k];
    return letters;
}

bool ParsePasswordClassLetters(std::string_view letters, unsigned* classes) {
    unsigned bits = 0;
    for (char c : letters) {
        size_t k = 0;
        while (k < 4 && kClassLetters[k] != c) ++k;
        if (k == 4 || (bits & kClassOrder[k])) return false;
        bits |= kClassOrder[k];
    }
    if (bits == 0) return false;
    *classes = bits;
    return true;
}

std::u16string GenerateResultText(GenerateResult result, const PasswordOptions& options, const StringSource& strings) {
    switch (result) {
        case GenerateResult::ok: return {};
        case GenerateResult::noClass: return strings(IDS_GENERATOR_NO_CLASS);
        case GenerateResult::lengthTooShortForClasses:
            return FormatChecked(
                strings(IDS_GENERATOR_TOO_SHORT),
                u"A password of %d characters cannot hold one character of each of the %d chosen kinds.",
                {static_cast<long long>(options.length),
                 static_cast<long long>(PasswordClassCount(ValidClasses(options.classes)))});
        case GenerateResult::lengthOutOfRange:
            return FormatChecked(
                strings(IDS_GENERATOR_LENGTH_RANGE), u"The length must be from %d to %d characters.",
                {static_cast<long long>(kGeneratedLengthMin), static_cast<long long>(kGeneratedLengthMax)});
        case GenerateResult::randomFailed: return strings(IDS_GENERATOR_RANDOM_FAILED);
    }
    return {};
}

}  // namespace tl5
