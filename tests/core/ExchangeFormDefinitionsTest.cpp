#include "exchange/FormDefinitions.h"

#include <gtest/gtest.h>

#include <string>

using namespace tl5;

namespace {

const std::string kHeaderLine = "<OstrovaWorksTessellockCustomForms.1>\r\n";

bool Parse(const std::string& bytes, CustomFormDefinitions& defs) {
    return ParseCustomFormDefinitions(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), defs);
}

std::string Wide(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

std::string Form(const std::string& name, const std::string& key, const std::string& icon,
                 const std::string& fields) {
    return "<MyForm>\r\n" + name + "\r\n" + key + "\r\n" + icon + "\r\n" + fields + "<EndForm>\r\n";
}

}  // namespace

TEST(ExchangeFormDefinitions, ParsesBothEncodingsAlike) {
    const std::string body = kHeaderLine + "; my forms\r\n\r\n" +
                             Form("Locker \xe9", "1001", "5",
                                  "2 TLF_PIN Combination   ; the code\r\n"
                                  "3 TLF_DEFAULT  Where\r\n"
                                  "4 TLF_URL Site\r\n") +
                             Form("Gym", "1002", "12", "7 TLF_TEL Phone\r\n8 TLF_DATE Joined\r\n");
    for (int wide = 0; wide < 2; ++wide) {
        CustomFormDefinitions defs;
        std::string bytes = body;
        if (wide) {
            bytes = Wide(body);
            // é as UTF-16
            const size_t at = bytes.find(std::string("\xe9\0", 2));
            ASSERT_NE(at, std::string::npos);
        }
        ASSERT_TRUE(Parse(bytes, defs)) << wide;
        ASSERT_EQ(defs.forms.size(), 2u);
        const CustomFormDef& locker = defs.forms[0];
        EXPECT_EQ(locker.name, u"Locker \u00e9");
        EXPECT_EQ(locker.key, 1001);
        EXPECT_EQ(locker.icon, 5);
        ASSERT_EQ(locker.fields.size(), 3u);
        EXPECT_EQ(locker.fields[0].key, 2);
        EXPECT_TRUE(locker.fields[0].pin);
        EXPECT_EQ(locker.fields[0].templateKind, 0);
        EXPECT_EQ(locker.fields[0].name, u"Combination");
        EXPECT_EQ(locker.fields[1].name, u"Where");
        EXPECT_FALSE(locker.fields[1].pin);
        EXPECT_EQ(locker.fields[2].templateKind, 3);
        ASSERT_NE(defs.Find(1002), nullptr);
        EXPECT_EQ(defs.Find(1002)->fields[0].templateKind, 11);
        EXPECT_EQ(defs.Find(1002)->fields[1].templateKind, 8);
        EXPECT_EQ(defs.Find(999), nullptr);
    }
}

TEST(ExchangeFormDefinitions, DropsIncompleteFormsAndKeepsTheOthers) {
    std::string fields51;
    for (int i = 0; i < 51; ++i) fields51 += std::to_string(10 + i) + " TLF_DEFAULT F" + std::to_string(i) + "\r\n";
    const std::string bytes = kHeaderLine +
                              Form("Low key", "999", "1", "2 TLF_DEFAULT A\r\n") +   // key below 1000
                              Form("No fields", "1003", "1", "") +                   // no field line
                              "<myform>\r\nCase\r\n1004\r\n1\r\n2 TLF_YESNO Ok\r\n<ENDFORM>\r\n" +
                              Form("Big", "1005", "1", fields51) +
                              "<MyForm>\r\nOpen at end\r\n1006\r\n1\r\n2 TLF_DEFAULT X\r\n";
    CustomFormDefinitions defs;
    ASSERT_TRUE(Parse(bytes, defs));
    ASSERT_EQ(defs.forms.size(), 2u);
    EXPECT_EQ(defs.forms[0].key, 1004);
    EXPECT_EQ(defs.forms[0].fields[0].templateKind, 9);
    EXPECT_EQ(defs.forms[1].key, 1005);
    EXPECT_EQ(defs.forms[1].fields.size(), 50u);  // the 51st line is ignored
    EXPECT_EQ(defs.forms[1].fields[49].name, u"F49");
}

TEST(ExchangeFormDefinitions, KeywordSearchAndNameRules) {
    const std::string longName(80, 'n');
    const std::string bytes = kHeaderLine +
        Form(std::string(70, 'f'), "2000", "3",
             "1 TLF_DATE My TLF_URL site\r\n"          // TLF_URL comes first in the search order
             "2 TLF_TIME " + longName + "\r\n"
             "3    TLF_EMAIL    spaced name\r\n"
             "4 x TLF_UPPERFIRST\r\n");                 // keyword anywhere; the name is the third part
    CustomFormDefinitions defs;
    ASSERT_TRUE(Parse(bytes, defs));
    ASSERT_EQ(defs.forms.size(), 1u);
    const CustomFormDef& f = defs.forms[0];
    EXPECT_EQ(f.name.size(), 63u);
    EXPECT_EQ(f.fields[0].templateKind, 3);
    EXPECT_EQ(f.fields[0].name, u"My TLF_URL site");
    EXPECT_EQ(f.fields[1].templateKind, 17);
    EXPECT_EQ(f.fields[1].name.size(), 63u);
    EXPECT_EQ(f.fields[2].key, 3);
    EXPECT_EQ(f.fields[2].templateKind, 15);
    EXPECT_EQ(f.fields[2].name, u"spaced name");
    EXPECT_EQ(f.fields[3].templateKind, 2);
    EXPECT_EQ(f.fields[3].name, u"TLF_UPPERFIRST");
}

TEST(ExchangeFormDefinitions, RefusesBrokenFiles) {
    struct Case { const char* what; std::string bytes; int error; };
    const Case cases[] = {
        {"no header", "<OstrovaWorksTessellockCustomForms.2>\r\n", kCustomFormsNoHeader},
        {"byte order mark", "\xFF\xFE" + Wide(kHeaderLine), kCustomFormsNoHeader},
        {"lower-case header", "<ostrovaworkstessellockcustomforms.1>\r\n", kCustomFormsNoHeader},
        {"key too long", kHeaderLine + Form("A", "12345678901", "1", "2 TLF_PIN P\r\n"), kCustomFormsBadKey},
        {"icon too long", kHeaderLine + Form("A", "1001", "123", "2 TLF_PIN P\r\n"), kCustomFormsBadIcon},
        {"no keyword", kHeaderLine + Form("A", "1001", "1", "2 TLF_PINK P\r\n2 Plain Name\r\n"), kCustomFormsNoKeyword},
        {"one space", kHeaderLine + Form("A", "1001", "1", "2 TLF_PIN\r\n"), kCustomFormsBadFieldLine},
        {"field key too long", kHeaderLine + Form("A", "1001", "1", "12345678901 TLF_PIN P\r\n"), kCustomFormsBadFieldLine},
    };
    for (const Case& c : cases) {
        CustomFormDefinitions defs;
        EXPECT_FALSE(Parse(c.bytes, defs)) << c.what;
        EXPECT_EQ(defs.error, c.error) << c.what;
        EXPECT_TRUE(defs.forms.empty()) << c.what;
    }
    // An error in a later form refuses the whole file, forms before it included.
    CustomFormDefinitions defs;
    EXPECT_FALSE(Parse(kHeaderLine + Form("Ok", "1001", "1", "2 TLF_PIN P\r\n") + Form("Bad", "1002", "1", "x\r\n"), defs));
    EXPECT_TRUE(defs.forms.empty());
    EXPECT_EQ(defs.errorLine, 12);
}

TEST(ExchangeFormDefinitions, LastLineWithoutLineBreakIsNotRead) {
    std::string bytes = kHeaderLine + Form("A", "1001", "1", "2 TLF_PIN P\r\n") + Form("B", "1002", "1", "3 TLF_TEL T\r\n");
    bytes.resize(bytes.size() - 2);  // the last <EndForm> loses its CR LF
    CustomFormDefinitions defs;
    ASSERT_TRUE(Parse(bytes, defs));
    ASSERT_EQ(defs.forms.size(), 1u);
    EXPECT_EQ(defs.forms[0].key, 1001);
}
