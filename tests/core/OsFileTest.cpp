// The operating system's files behind the wallet: positional reads and writes, sizes, sharing, and a
// wallet saved and recovered on a real disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "WalletTestSupport.h"
#include "model/WalletJournal.h"
#include "platform/File.h"

using namespace tl5;

namespace {

class OsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tl5-osfile-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::u16string PathOf(const char* name) const { return (dir_ / name).u16string(); }
    std::filesystem::path dir_;
};

}  // namespace

TEST_F(OsFiles, ReadWriteSizeAndRemove) {
    FileSystem& fs = OsFileSystem();
    const std::u16string path = PathOf("a.bin");
    std::unique_ptr<File> f;
    EXPECT_EQ(fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &f), kFileNotFound);
    ASSERT_EQ(fs.Open(path, FileMode::CreateNew, FileShare::None, &f), kFileOk);
    size_t n = 0;
    ASSERT_TRUE(f->WriteAt(10, "hello", 5, &n));
    EXPECT_EQ(n, 5u);
    uint64_t size = 0;
    ASSERT_TRUE(f->GetSize(&size));
    EXPECT_EQ(size, 15u);
    char buf[32] = {};
    ASSERT_TRUE(f->ReadAt(8, buf, sizeof buf, &n));
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(std::string(buf, 7), std::string("\0\0hello", 7));
    ASSERT_TRUE(f->ReadAt(100, buf, 4, &n));
    EXPECT_EQ(n, 0u) << "past the end reads nothing";
    ASSERT_TRUE(f->SetSize(12));
    ASSERT_TRUE(f->Flush());
    f->Seek(10);
    ASSERT_TRUE(f->Read(buf, 10, &n));
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(f->Tell(), 12u);
    f.reset();
    EXPECT_EQ(fs.Open(path, FileMode::CreateNew, FileShare::None, &f), kFileExists);
    EXPECT_TRUE(fs.Exists(path));
    EXPECT_EQ(fs.Remove(path), kFileOk);
    EXPECT_FALSE(fs.Exists(path));
    EXPECT_EQ(fs.Remove(path), kFileNotFound);
}

TEST_F(OsFiles, RenameReplacesAndFoldersFlush) {
    FileSystem& fs = OsFileSystem();
    const std::u16string a = PathOf("a.tmp"), b = PathOf("b.tl5");
    for (const auto& [path, text] : {std::pair{a, "new"}, std::pair{b, "old"}}) {
        std::unique_ptr<File> f;
        ASSERT_EQ(fs.Open(path, FileMode::CreateNew, FileShare::None, &f), kFileOk);
        size_t n = 0;
        ASSERT_TRUE(f->WriteAt(0, text, 3, &n));
    }
    EXPECT_TRUE(fs.FlushFolder(a));
    ASSERT_EQ(fs.Rename(a, b), kFileOk);
    EXPECT_TRUE(fs.FlushFolder(b));
    EXPECT_FALSE(fs.Exists(a));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(fs, b, &bytes, 16));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(fs.Rename(a, b), kFileNotFound);
}

TEST_F(OsFiles, AWalletOpenForWorkMayBeReadButNotWrittenByOthers) {
    FileSystem& fs = OsFileSystem();
    const std::u16string path = PathOf("shared.bin");
    std::unique_ptr<File> worker, reader, second;
    ASSERT_EQ(fs.Open(path, FileMode::CreateNew, FileShare::None, &worker), kFileOk);
    worker.reset();
    ASSERT_EQ(fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &reader), kFileOk);
    ASSERT_EQ(fs.Open(path, FileMode::OpenReadOnly, FileShare::Read, &second), kFileOk) << "readers share";
    EXPECT_EQ(fs.Open(path, FileMode::OpenReadWrite, FileShare::Read, &worker), kFileSharingViolation);
    reader.reset();
    second.reset();
    ASSERT_EQ(fs.Open(path, FileMode::OpenReadWrite, FileShare::Read, &worker), kFileOk);
    EXPECT_EQ(fs.Open(path, FileMode::OpenReadWrite, FileShare::Read, &second), kFileSharingViolation);
}

TEST_F(OsFiles, WalletSavesAndRecoversOnDisk) {
    const std::u16string path = PathOf("disk.tl5"), password = u"on disk";
    Wallet w;
    ASSERT_EQ(w.Create(path, password, u"", true), kCreateOk);
    ASSERT_EQ(w.Open(path, &password, false), kOpenOk);
    Card card = tl5test::MakeCard(w, w.ItemAt(0).Id(), u"Disk card", {{u"Name", u"Value"}});
    const ItemId id = card.Record().Id();
    ASSERT_GE(w.AppendCard(&card, false), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(JournalPathFor(path))));
    w.Close(true);
    const uintmax_t size = std::filesystem::file_size(std::filesystem::path(path));

    // An interrupted save left its journal and a damaged tail behind: opening puts the wallet back.
    {
        std::unique_ptr<File> f;
        ASSERT_EQ(OsFileSystem().Open(path, FileMode::OpenReadWrite, FileShare::None, &f), kFileOk);
        WalletJournal journal(OsFileSystem(), path);
        ASSERT_TRUE(journal.Begin(*f, 4980, size, nullptr));
        size_t n = 0;
        ASSERT_TRUE(f->WriteAt(4980, "damage", 6, &n));
        ASSERT_TRUE(f->SetSize(5000));
    }
    ASSERT_EQ(w.Open(path, &password, false), kOpenOk);
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(path)), size);
    auto back = w.LoadCard(id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->FieldAt(0)->Value(), u"Value");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(JournalPathFor(path))));
}
