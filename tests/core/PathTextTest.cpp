#include "platform/PathText.h"

#include <gtest/gtest.h>

using namespace tl5;

TEST(PathText, NamesAndTitlesTakeBothSeparators) {
    struct Case { std::u16string path, name, title; };
    const Case cases[] = {
        {u"\\My Documents\\Personal.tl5", u"Personal.tl5", u"Personal"},
        {u"Personal.tl5", u"Personal.tl5", u"Personal"},             // no folder: the whole path
        {u"\\Folder\\name.tar.gz", u"name.tar.gz", u"name.tar"},      // only the last extension goes
        {u"C:\\My Documents\\home.v2.tl5", u"home.v2.tl5", u"home.v2"},
        {u"\\My.Folder\\noext", u"noext", u"noext"},                  // a full stop in the folder is not an extension
        {u"\\a.b\\noext", u"noext", u"noext"},
        {u"plain", u"plain", u"plain"},
        {u"C:\\x\\y.wal", u"y.wal", u"y"},
        {u"/home/user/w.tl5", u"w.tl5", u"w"},                        // slashes separate as well
        {u"C:\\a/b\\c.txt", u"c.txt", u"c"},
        {u"C:\\a\\b/c.txt", u"c.txt", u"c"},
        {u"\\folder\\", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNameOf(c.path), c.name) << std::string(c.path.begin(), c.path.end());
        EXPECT_EQ(FileTitleOf(c.path), c.title) << std::string(c.path.begin(), c.path.end());
    }
}

TEST(PathText, FoldersWithAndWithoutTheirSeparator) {
    EXPECT_EQ(FolderOf(u"C:\\x\\y.wal"), u"C:\\x");
    EXPECT_EQ(FolderOf(u"\\a\\b.txt"), u"\\a");
    EXPECT_EQ(FolderOf(u"/out/home/a.txt"), u"/out/home");
    EXPECT_EQ(FolderOf(u"\\My Documents"), u"");  // the root's own folder
    EXPECT_EQ(FolderOf(u"\\My Documents\\Personal.tl5", NoFolder::Empty, FolderEnd::WithSeparator),
              u"\\My Documents\\");
    // A path without a separator: empty by default, or the path itself for callers that take it
    // as a volume of its own.
    EXPECT_EQ(FolderOf(u"y.wal"), u"");
    EXPECT_EQ(FolderOf(u"Personal.tl5", NoFolder::WholePath), u"Personal.tl5");
    EXPECT_EQ(FolderOf(u"\\My Documents\\Personal.tl5", NoFolder::WholePath), u"\\My Documents");
    EXPECT_EQ(FolderOf(u"\\My Documents\\Personal.tl5", NoFolder::WholePath, FolderEnd::WithSeparator),
              u"\\My Documents\\");
}

TEST(PathText, JoinAddsOneSeparatorOnly) {
    const std::u16string joined = JoinPath(u"out", u"f.txt");
    EXPECT_EQ(joined.size(), 9u);
    EXPECT_TRUE(IsPathSeparator(joined[3]));
    EXPECT_EQ(FileNameOf(joined), u"f.txt");
    EXPECT_EQ(FolderOf(joined), u"out");
    EXPECT_EQ(JoinPath(joined.substr(0, 4), u"f.txt"), joined);  // no double separator
    EXPECT_EQ(JoinPath(u"C:\\out\\", u"f.txt"), u"C:\\out\\f.txt");
    EXPECT_EQ(JoinPath(u"/out/", u"f.txt"), u"/out/f.txt");
    EXPECT_EQ(JoinPath(u"", u"f.txt"), u"f.txt");
}

TEST(PathText, CleanedNamesLoseEveryReservedCharacter) {
    EXPECT_EQ(CleanedFileName(u"a:b/c*d?e\"f<g>h|i\\j"), u"a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(CleanedFileName(u"Visa gold.v2"), u"Visa gold.v2");
    EXPECT_EQ(CleanedFileName(u"..\\..\\evil"), u".._.._evil");  // no way out of the folder
}
