// tl5 protect, unprotect, create --protect and the other commands on a protected wallet, run as a user
// would. The envelopes here use the lowest cost (8 MiB, 1 pass) to keep the runs short; the default
// is exercised by tl5 create --protect once.
#include <gtest/gtest.h>

#include <regex>

#include "Tl5Run.h"

using namespace tl5clitest;

namespace {

const std::vector<std::string> kCheap = {"--memory", "8", "--passes", "1"};

std::vector<std::string> Args(std::vector<std::string> a, const std::vector<std::string>& more = {}) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

// Everything a user sees of the wallet: the listing and every card in full.
std::string Everything(const TempDir& dir, const std::string& path, const std::string& password) {
    const Tl5Result ls = RunTl5(dir, {"ls", path, "--json"}, password + "\n");
    if (ls.status != 0) return "ls failed: " + ls.err;
    std::string all = ls.out;
    const std::regex card("\"id\": \"([0-9a-f]{32})\",\\s*\"name\": \"[^\"]*\",\\s*\"kind\": \"card\"");
    for (auto it = std::sregex_iterator(ls.out.begin(), ls.out.end(), card); it != std::sregex_iterator(); ++it) {
        const Tl5Result show = RunTl5(dir, {"show", path, (*it)[1].str(), "--json", "--reveal"}, password + "\n");
        all += show.status == 0 ? show.out : "show failed: " + show.err;
    }
    return all;
}

}  // namespace

TEST(Tl5Protect, RoundTripKeepsEveryCardAndEveryCommandWorks) {
    TempDir dir;
    const std::string path = (dir / "w.tl5").string();
    const std::string pw = "pa55word";
    ASSERT_EQ(RunTl5(dir, {"create", path, "--sample-folder"}, pw + "\n").status, 0);
    ASSERT_EQ(RunTl5(dir, {"new-card", path, "Personal", "--form", "1", "--name", "Bank"}, pw + "\n").status, 0);
    ASSERT_EQ(RunTl5(dir, {"new-card", path, "/", "--name", "Door"}, pw + "\n").status, 0);
    const std::string classic = ReadFileText(path);
    const std::string before = Everything(dir, path, pw);
    ASSERT_NE(before.find("\"Bank\""), std::string::npos) << before;
    ASSERT_NE(before.find("\"fields\""), std::string::npos) << before;

    Tl5Result r = RunTl5(dir, Args({"protect", path}, kCheap), pw + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string sealed = ReadFileText(path);
    EXPECT_EQ(sealed.compare(0, 8, "TL5ENVLP"), 0);
    EXPECT_EQ(sealed.find("Ostrova"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path + "-new"));
    EXPECT_EQ(Everything(dir, path, pw), before);
    r = RunTl5(dir, {"info", path}, pw + "\n");
    EXPECT_NE(r.out.find("protection:    modern, Argon2id 8 MiB/1, AES-256-GCM"), std::string::npos) << r.out;
    EXPECT_EQ(RunTl5(dir, Args({"protect", path}, kCheap), pw + "\n").status, 1);  // protected already

    // A wrong password: refused with the envelope's own words, the file untouched.
    r = RunTl5(dir, {"ls", path}, "pa55wore\n");
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("wrong password or damaged file"), std::string::npos) << r.err;
    EXPECT_EQ(RunTl5(dir, {"unprotect", path}, "pa55wore\n").status, 4);
    EXPECT_EQ(ReadFileText(path), sealed);

    // Changing commands work on the protected wallet and leave it protected.
    r = RunTl5(dir, {"new-folder", path, "/", "Work"}, pw + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileText(path).compare(0, 8, "TL5ENVLP"), 0);
    EXPECT_EQ(RunTl5(dir, {"check", path}, pw + "\n").status, 0);

    r = RunTl5(dir, {"unprotect", path}, pw + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunTl5(dir, {"check", path}, pw + "\n");
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    r = RunTl5(dir, {"info", path}, pw + "\n");
    EXPECT_NE(r.out.find("protection:    classic"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("records:       5 live"), std::string::npos) << r.out;
    EXPECT_EQ(RunTl5(dir, {"unprotect", path}, pw + "\n").status, 1);  // not protected
}

TEST(Tl5Protect, CreateProtectedAndChangeItsPassword) {
    TempDir dir;
    const std::string path = (dir / "p.tl5").string();
    Tl5Result r = RunTl5(dir, {"create", path, "--protect", "--sample-folder"}, "first pass\n");
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunTl5(dir, {"info", path, "--json"}, "first pass\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"protection\": \"modern, Argon2id 64 MiB/3, AES-256-GCM\""), std::string::npos) << r.out;

    r = RunTl5(dir, {"passwd", path}, "first pass\nsecond pass\n\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(RunTl5(dir, {"ls", path}, "first pass\n").status, 4);
    r = RunTl5(dir, {"ls", path}, "second pass\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Personal/"), std::string::npos) << r.out;

    // Costs outside what a reader accepts are refused before anything is written.
    const std::string other = (dir / "q.tl5").string();
    EXPECT_EQ(RunTl5(dir, {"create", other, "--protect", "--memory", "4"}, "some pass\n").status, 2);
    EXPECT_EQ(RunTl5(dir, {"create", other, "--protect", "--passes", "0"}, "some pass\n").status, 2);
    EXPECT_FALSE(std::filesystem::exists(other));
    // A damaged header is told apart from a wrong password.
    std::string bytes = ReadFileText(path);
    bytes[10] = 0x7F;  // the header size
    WriteFileText(path, bytes);
    r = RunTl5(dir, {"ls", path}, "second pass\n");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("(result code 14: damaged)"), std::string::npos) << r.err;
}
