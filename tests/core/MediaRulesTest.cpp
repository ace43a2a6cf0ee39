// The attachments, background image and sound dialogs' rules: buttons, the information line, which
// attached files may be opened, the position list, Match Background, and writing files out.
#include <gtest/gtest.h>

#include <string>

#include "StringIds.h"
#include "dialogs/MediaRules.h"
#include "platform/CardServices.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"

using namespace tl5;

namespace {

const std::u16string kFolder = u"docs";
std::u16string In(const std::u16string& name) { return kFolder + kPathSeparator + name; }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace

TEST(AttachmentButtons, AddOnlyWithAFreeSlotTheOthersOnlyWithASelection) {
    struct Case {
        size_t count;
        bool selected;
        bool add, others;
    } cases[] = {{0, false, true, false}, {1, true, true, true}, {9, true, true, true}, {10, true, false, true},
                 {10, false, false, false}, {11, false, false, false}};
    for (const Case& c : cases) {
        const AttachmentButtons b = AttachmentButtonStates(c.count, c.selected);
        EXPECT_EQ(b.add, c.add) << c.count;
        EXPECT_EQ(b.remove, c.others) << c.count;
        EXPECT_EQ(b.exportFile, c.others) << c.count;
        EXPECT_EQ(b.open, c.others) << c.count;
    }
}

TEST(AttachmentInfo, FillsDateThenSizeAndABadTranslationFallsBack) {
    EXPECT_EQ(AttachmentInfoLine(u"%s - %s", u"12/4/2026", u"1.50K"), u"12/4/2026 - 1.50K");
    // A translated format asking for a number (or a third text) would misread the arguments.
    EXPECT_EQ(AttachmentInfoLine(u"%d bytes %s", u"12/4/2026", u"2K"), u"12/4/2026, 2K");
    EXPECT_EQ(AttachmentInfoLine(u"%s %s %s", u"d", u"s"), u"d, s");
}

TEST(AttachmentOpen, ProgramsAndWalletsAreRefusedDocumentsOpen) {
    struct Case {
        const char16_t* name;
        OpenVerdict verdict;
    } cases[] = {
        {u"20261210_scan.pdf", OpenVerdict::kOpen},
        {u"20261210_notes.txt", OpenVerdict::kOpen},
        {u"20261210_README", OpenVerdict::kOpen},
        {u"20261210_photo.JPG", OpenVerdict::kOpen},
        {u"20261210_setup.exe", OpenVerdict::kRefusedProgram},
        {u"20261210_SETUP.EXE", OpenVerdict::kRefusedProgram},
        {u"20261210_run.com", OpenVerdict::kRefusedProgram},
        {u"20261210_a.bat", OpenVerdict::kRefusedProgram},
        {u"20261210_a.cmd", OpenVerdict::kRefusedProgram},
        {u"20261210_a.scr", OpenVerdict::kRefusedProgram},
        {u"20261210_a.js", OpenVerdict::kRefusedProgram},
        {u"20261210_a.vbs", OpenVerdict::kRefusedProgram},
        {u"20261210_a.lnk", OpenVerdict::kRefusedProgram},
        {u"20261210_a.msi", OpenVerdict::kRefusedProgram},
        {u"20261210_a.hta", OpenVerdict::kRefusedProgram},
        {u"20261210_a.ps1", OpenVerdict::kRefusedProgram},
        // The shell drops trailing dots and spaces.
        {u"20261210_a.exe.", OpenVerdict::kRefusedProgram},
        {u"20261210_a.exe . .", OpenVerdict::kRefusedProgram},
        {u"20261210_a.exe.txt", OpenVerdict::kOpen},
        {u"20261210_home.tl5", OpenVerdict::kRefusedWallet},
        {u"20261210_old.WAL", OpenVerdict::kRefusedWallet},
        {u"20261210_home.tl5.txt", OpenVerdict::kRefusedWallet},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyAttachmentOpen(c.name), c.verdict) << Utf16ToUtf8(c.name);
}

TEST(ImagePosition, EntriesAndCodesMapBothWaysOutsideValuesFallBack) {
    for (int entry = 0; entry < kImagePositionCount; ++entry) {
        EXPECT_EQ(ImagePositionEntryOfCode(ImagePositionCodeOfEntry(entry)), entry);
        EXPECT_NE(ImagePositionNameId(entry), 0u);
    }
    EXPECT_EQ(ImagePositionNameId(8), static_cast<uint32_t>(IDS_POSITION_BOTTOM_RIGHT));
    EXPECT_EQ(ImagePositionNameId(9), static_cast<uint32_t>(IDS_POSITION_TILED));
    EXPECT_EQ(ImagePositionNameId(10), 0u);
    EXPECT_EQ(ImagePositionCodeOfEntry(8), 9);
    EXPECT_EQ(ImagePositionCodeOfEntry(-1), 1);  // nothing selected
    for (int code : {0, 11, -3, 1000}) EXPECT_EQ(ImagePositionEntryOfCode(code), 0) << code;
}

TEST(ImageDialog, UndecodableFileKeepsThePictureMatchFollowsSelectionAndRemoval) {
    // s a file that decoded, u one that did not, r Remove (or the chooser's None), m Match.
    struct Case {
        bool start;
        const char* steps;
        bool loaded, matching;
    } cases[] = {
        {true, "", true, false},
        {true, "u", true, false},     // the card's picture survives a file that cannot be read
        {false, "u", false, false},
        {true, "mu", true, true},
        {false, "m", false, false},   // nothing to match
        {false, "sm", true, true},
        {true, "ms", true, true},     // an earlier Match stays in force for the new picture
        {true, "mr", false, false},
        {true, "mrs", true, false},   // removal forgets it
    };
    for (const Case& c : cases) {
        ImageDialogState state;
        state.Start(c.start);
        for (const char* p = c.steps; *p; ++p) {
            switch (*p) {
                case 's': state.Selected(true); break;
                case 'u': state.Selected(false); break;
                case 'r': state.Removed(); break;
                case 'm': state.Matched(); break;
            }
        }
        EXPECT_EQ(state.Loaded(), c.loaded) << c.start << c.steps;
        EXPECT_EQ(state.Matching(), c.matching) << c.start << c.steps;
    }
}

TEST(MediaExportNames, DatedAndAlwaysInsideTheFolder) {
    const SystemTime day{2026, 12, 4, 10, 9, 8, 7, 0};
    EXPECT_EQ(MediaExportName(u"scan.pdf", day), u"20261210_scan.pdf");
    EXPECT_EQ(MediaExportName(u"..\\evil.txt", day), u"20261210_evil.txt");
    EXPECT_EQ(MediaExportName(u"../../evil.txt", day), u"20261210_evil.txt");
    EXPECT_EQ(MediaExportName(u"C:\\Windows\\x.dll", day), u"20261210_x.dll");
    EXPECT_EQ(MediaExportName(u"a:b*c?.txt", day), u"20261210_a_b_c_.txt");
    EXPECT_EQ(MediaExportName(u"..", day), u"20261210_attachment");
    for (const char16_t* stored : {u"..\\evil.txt", u"../x", u"\\\\server\\share\\y", u"c:z"}) {
        const std::u16string name = MediaExportName(stored, day);
        EXPECT_EQ(name.find_first_of(u"\\/:"), std::u16string::npos) << Utf16ToUtf8(name);
    }
    EXPECT_EQ(NumberedName(u"20261210_a.bmp", 2), u"20261210_a (2).bmp");
    EXPECT_EQ(NumberedName(u"20261210_noext", 3), u"20261210_noext (3)");
    EXPECT_EQ(NumberedName(u"a.b.wav", 12), u"a.b (12).wav");
}

TEST(MediaExport, ASecondExportOfTheDayTakesAFreeNameAndSaysSo) {
    MemoryFileSystem fs;
    const std::string first = "first picture", second = "second";
    ExportOutcome a = ExportMediaFile(fs, kFolder, u"20261210_a.bmp", Bytes(first), first.size(), ExportCollision::kFreeName);
    ASSERT_EQ(a.result, ExportResult::kWritten);
    EXPECT_EQ(a.path, In(u"20261210_a.bmp"));
    ExportOutcome b = ExportMediaFile(fs, kFolder, u"20261210_a.bmp", Bytes(second), second.size(), ExportCollision::kFreeName);
    ASSERT_EQ(b.result, ExportResult::kWrittenOtherName);
    EXPECT_EQ(b.path, In(u"20261210_a (2).bmp"));
    EXPECT_EQ(fs.Contents(In(u"20261210_a.bmp")), first);
    EXPECT_EQ(fs.Contents(In(u"20261210_a (2).bmp")), second);
    EXPECT_EQ(ExportMessageId(a.result), static_cast<uint32_t>(IDS_FILE_SAVED_TO));
    EXPECT_EQ(ExportMessageId(b.result), static_cast<uint32_t>(IDS_SAVED_UNDER_FREE_NAME));
}

TEST(MediaExport, ReplaceKeepsTheOldFileUntilTheNewOneIsComplete) {
    MemoryFileSystem fs;
    fs.SetContents(In(u"20261210_n.txt"), "old contents");
    const std::string bytes = "new contents, longer than the old";
    ExportOutcome out = ExportMediaFile(fs, kFolder, u"20261210_n.txt", Bytes(bytes), bytes.size(), ExportCollision::kReplace);
    ASSERT_EQ(out.result, ExportResult::kWritten);
    EXPECT_EQ(fs.Contents(out.path), bytes);
    EXPECT_FALSE(fs.Exists(In(u"~20261210_n (1).txt.part")));
}

TEST(MediaExport, AFailedOrShortWriteLeavesNoFileAndReportsFailure) {
    const std::string bytes(5000, 'x');
    for (ExportCollision collision : {ExportCollision::kFreeName, ExportCollision::kReplace}) {
        for (bool torn : {false, true}) {
            for (long failAt : {1L, 2L}) {  // the write, then the flush
                MemoryFileSystem memory;
                memory.SetContents(In(u"20261210_old.txt"), "kept");
                FaultFileSystem fs(memory);
                fs.FailOnceAt(failAt, torn);
                const std::u16string name = collision == ExportCollision::kReplace ? u"20261210_old.txt" : u"20261210_new.txt";
                ExportOutcome out = ExportMediaFile(fs, kFolder, name, Bytes(bytes), bytes.size(), collision);
                EXPECT_EQ(out.result, ExportResult::kFailed) << failAt << torn;
                EXPECT_EQ(ExportMessageId(out.result), static_cast<uint32_t>(IDS_EXPORT_FAILED));
                EXPECT_FALSE(memory.Exists(In(u"20261210_new.txt")));
                EXPECT_FALSE(memory.Exists(In(u"~20261210_old (1).txt.part")));
                EXPECT_EQ(memory.Contents(In(u"20261210_old.txt")), "kept");
            }
        }
    }
    MemoryFileSystem fs;
    EXPECT_EQ(ExportMediaFile(fs, u"", u"x.txt", Bytes(bytes), bytes.size(), ExportCollision::kReplace).result,
              ExportResult::kNoFolder);
}
