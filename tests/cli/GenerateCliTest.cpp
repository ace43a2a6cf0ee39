// tl5 generate: every printed password holds its options, and impossible requests are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Tl5Run.h"

using namespace tl5clitest;

namespace {

const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kLower = "abcdefghijklmnopqrstuvwxyz";
const std::string kDigits = "0123456789";
const std::string kLookalikes = "0Oo1lI";

bool AnyOf(const std::string& text, const std::string& set) { return text.find_first_of(set) != std::string::npos; }
bool IsSymbol(char c) { return c > ' ' && c < 0x7F && !std::isalnum(static_cast<unsigned char>(c)); }

// The raw value of a key of the tool's flat JSON object (a string without its quotes); "" when absent.
std::string Field(const std::string& json, const std::string& key) {
    const std::string at = "\"" + key + "\": ";
    size_t p = json.find(at);
    if (p == std::string::npos) return "";
    p += at.size();
    if (json[p] == '"') return json.substr(p + 1, json.find('"', p + 1) - p - 1);
    return json.substr(p, json.find_first_of(",\n}", p) - p);
}

void ExpectHolds(const std::string& password, size_t length, const std::string& classes, bool noLookalike) {
    EXPECT_EQ(password.size(), length) << password;
    EXPECT_EQ(AnyOf(password, kUpper), classes.find('u') != std::string::npos) << password;
    EXPECT_EQ(AnyOf(password, kLower), classes.find('l') != std::string::npos) << password;
    EXPECT_EQ(AnyOf(password, kDigits), classes.find('d') != std::string::npos) << password;
    EXPECT_EQ(std::any_of(password.begin(), password.end(), IsSymbol), classes.find('s') != std::string::npos)
        << password;
    EXPECT_TRUE(std::all_of(password.begin(), password.end(), [](char c) { return c > ' ' && c < 0x7F; })) << password;
    if (noLookalike) {
        EXPECT_FALSE(AnyOf(password, kLookalikes)) << password;
    }
}

}  // namespace

TEST(Tl5Generate, PasswordsHoldTheRequestedLengthClassesAndLookalikeRule) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        size_t length;
        std::string classes;
        bool noLookalike;
        int bits;
    } cases[] = {
        {{}, 20, "ulds", false, 129},
        {{"--length", "4", "--classes", "sdlu"}, 4, "ulds", false, 25},
        {{"--length", "64", "--classes", "d", "--no-lookalike"}, 64, "d", true, 192},
        {{"--classes", "ls", "--no-lookalike"}, 20, "ls", true, 114},
        {{"--no-lookalike", "--length", "7", "--classes", "u"}, 7, "u", true, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.classes + " " + std::to_string(c.length));
        for (int round = 0; round < 3; ++round) {
            std::vector<std::string> args = {"generate"};
            args.insert(args.end(), c.args.begin(), c.args.end());
            const Tl5Result plain = RunTl5(dir, args, "");
            ASSERT_EQ(plain.status, 0) << plain.err;
            EXPECT_TRUE(plain.err.empty()) << plain.err;
            ASSERT_FALSE(plain.out.empty());
            EXPECT_EQ(plain.out.back(), '\n');
            ExpectHolds(plain.out.substr(0, plain.out.size() - 1), c.length, c.classes, c.noLookalike);

            args.push_back("--json");
            const Tl5Result json = RunTl5(dir, args, "");
            ASSERT_EQ(json.status, 0) << json.err;
            ExpectHolds(Field(json.out, "password"), c.length, c.classes, c.noLookalike);
            EXPECT_EQ(Field(json.out, "length"), std::to_string(c.length));
            EXPECT_EQ(Field(json.out, "classes"), c.classes);
            EXPECT_EQ(Field(json.out, "no_lookalike"), c.noLookalike ? "true" : "false");
            EXPECT_EQ(Field(json.out, "bits"), std::to_string(c.bits));
        }
    }
}

TEST(Tl5Generate, EachRunDrawsAFreshPassword) {
    TempDir dir;
    const Tl5Result a = RunTl5(dir, {"generate"}, "");
    const Tl5Result b = RunTl5(dir, {"generate"}, "");
    ASSERT_EQ(a.status, 0);
    ASSERT_EQ(b.status, 0);
    EXPECT_NE(a.out, b.out);
}

TEST(Tl5Generate, ImpossibleOrMalformedRequestsAreRefusedWithAMessageAndNoPassword) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--length", "3"}, "A password of 3 characters cannot hold one character of each of the 4 chosen kinds."},
        {{"--length", "2", "--classes", "uds", "--json"},
         "A password of 2 characters cannot hold one character of each of the 3 chosen kinds."},
        {{"--length", "3", "--classes", "d"}, "The length must be from 4 to 64 characters."},
        {{"--length", "65"}, "The length must be from 4 to 64 characters."},
        {{"--length", "99999999999999999999"}, "--length takes a number"},
        {{"--length", "12x"}, "--length takes a number"},
        {{"--length", ""}, "--length takes a number"},
        {{"--classes", "ulx"}, "--classes takes the letters u (upper case), l (lower case), d (digits) and s"},
        {{"--classes", "uu"}, "--classes takes the letters"},
        {{"--classes", ""}, "--classes takes the letters"},
        {{"--length"}, "needs a value"},
        {{"--size", "9"}, "unknown option --size"},
        {{"wallet.tl5"}, "usage: tl5 generate"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"generate"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(args.size() > 1 ? args[1] + " " + (args.size() > 2 ? args[2] : "") : "");
        const Tl5Result r = RunTl5(dir, args, "");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(Tl5Generate, TheHelpListsTheCommand) {
    TempDir dir;
    const Tl5Result r = RunTl5(dir, {"--help"}, "");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("tl5 generate [--length N] [--classes ulds] [--no-lookalike] [--json]"), std::string::npos)
        << r.out;
}
