#include "exchange/ExchangeNames.h"
#include "exchange/FormDefinitions.h"
#include "exchange/TextTable.h"
#include "platform/MemoryFile.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

using namespace tl5;

TEST(ExchangeNames, DatedAndNumberedFileNames) {
    SystemTime march;
    march.year = 2005;
    march.month = 3;
    march.day = 17;
    EXPECT_EQ(DatedFileName(CleanedFileName(u"Visa"), march, kFormFileExtension), u"Visa_17032005.tlx");
    SystemTime jan;
    jan.year = 2027;
    jan.month = 1;
    jan.day = 2;
    EXPECT_EQ(DatedFileName(CleanedFileName(u"a/b:c\\d*e?f\"g<h>i|j"), jan, kTextFileExtension),
              u"a_b_c_d_e_f_g_h_i_j_02012027.txt");
    EXPECT_EQ(NumberedAttachmentName(0, u"scan.pdf"), u"000_scan.pdf");
    EXPECT_EQ(NumberedAttachmentName(12, u"x"), u"012_x");
    EXPECT_EQ(NumberedAttachmentName(1234, u"x"), u"1234_x");
}

TEST(ExchangeNames, TextTableAndDefinitionsReadThroughTheFileSystem) {
    MemoryFileSystem fs;
    fs.SetContents(u"t.txt", std::string("\xFF\xFE" "C\0a\0r\0d\0N\0a\0m\0e\0\t\0X\0\r\0\n\0A\0\t\0B\0", 32));
    fs.SetContents(u"empty.txt", "");
    fs.SetContents(u"one.txt", "x");
    TextTable t;
    ASSERT_EQ(t.Read(fs, u"t.txt"), kTextTableOk);
    EXPECT_EQ(t.Cell(1, 1), u"B");
    EXPECT_EQ(t.Read(fs, u"missing.txt"), kTextTableCannotOpen);
    EXPECT_EQ(t.Read(fs, u"empty.txt"), kTextTableCannotOpen);
    EXPECT_EQ(t.Read(fs, u"one.txt"), kTextTableFirstBytes);
    EXPECT_FALSE(t.Loaded());

    CustomFormDefinitions defs;
    EXPECT_FALSE(LoadCustomFormDefinitions(fs, u"missing.tcd", defs));
    EXPECT_EQ(defs.error, kCustomFormsCannotOpen);
    fs.SetContents(u"f.tcd", "<OstrovaWorksTessellockCustomForms.1>\r\n<MyForm>\r\nA\r\n1001\r\n1\r\n2 TLF_PIN P\r\n<EndForm>\r\n");
    ASSERT_TRUE(LoadCustomFormDefinitions(fs, u"f.tcd", defs));
    EXPECT_EQ(defs.forms.size(), 1u);
}
