// Fields, cards and the built-in form catalogue.
#include "model/BuiltInForm.h"
#include "model/Card.h"
#include "model/Field.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace tl5;

namespace {

SystemTime Time(uint16_t y, uint16_t mo, uint16_t d, uint16_t h = 0, uint16_t mi = 0) {
    SystemTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    return t;
}

}  // namespace

TEST(Field, TypeChangesFollowTheRules) {
    Field f;
    EXPECT_EQ(f.Type(), FT_TEXT);
    EXPECT_EQ(f.NameColour(), -1);
    EXPECT_EQ(f.DataColour(), -1);
    EXPECT_EQ(f.ChangeFlags(), uint32_t(kFieldCreated));

    f.SetValue(u"12 March");
    f.ClearChangeFlags();
    f.SetType(FT_DATE);  // entering a date type drops the value text
    EXPECT_TRUE(f.Value().empty());
    EXPECT_EQ(f.ChangeFlags(), uint32_t(kFieldTypeChanged | kFieldValueChanged));
    ASSERT_TRUE(f.SetDateTime(Time(2026, 3, 12)));
    f.SetType(FT_DATETIME);  // between date types the date/time stays
    EXPECT_EQ(f.DateTime(), Time(2026, 3, 12));
    f.SetType(FT_TEXT);
    EXPECT_FALSE(f.SetDateTime(Time(2026, 1, 1)));  // only types 8-10 take a date/time

    // Becoming a choice list resets whatever items there were to the two defaults.
    f.SetType(FT_LIST);
    f.AddItem(u"red");
    f.AddItem(u"green");
    f.AddItem(u"blue");
    f.SetType(FT_CHOICE);
    ASSERT_EQ(f.ItemCount(), 2u);
    EXPECT_EQ(f.ItemAt(0), StringTableLookup(kStringYes));
    EXPECT_EQ(f.ItemAt(1), StringTableLookup(kStringNo));
    f.SetType(FT_TEXT);
    EXPECT_EQ(f.ItemCount(), 0u);  // items count only for types 11 and 12
}

TEST(Field, SettersCompareFirstAndClearingTheValueClearsTheDate) {
    Field f;
    f.SetName(u"PIN");
    f.ClearChangeFlags();
    f.SetName(u"PIN");
    EXPECT_EQ(f.ChangeFlags(), 0u);
    f.SetName(u"Code");
    EXPECT_EQ(f.ChangeFlags(), uint32_t(kFieldNameChanged));

    f.SetType(FT_TIME);
    f.SetDateTime(Time(0, 0, 0, 14, 5));
    f.ClearChangeFlags();
    f.ClearValue();  // no value text, but the time still goes
    EXPECT_TRUE(f.DateTime().IsZero());
    EXPECT_EQ(f.ChangeFlags(), uint32_t(kFieldDateTimeChanged));
}

TEST(Field, ChoiceItems) {
    Field f;
    f.SetType(FT_LIST);
    EXPECT_FALSE(f.AddItem(u""));
    EXPECT_TRUE(f.AddItem(u"a^b"));
    EXPECT_EQ(f.ItemAt(0), u"a b");
    for (size_t i = 1; i < kMaxChoiceItems; ++i) ASSERT_TRUE(f.AddItem(u"x"));
    EXPECT_FALSE(f.AddItem(u"one too many"));
    EXPECT_EQ(f.ItemCount(), kMaxChoiceItems);

    f.SetItemsFromJoined(u"^one^^two^");
    ASSERT_EQ(f.ItemCount(), 2u);
    EXPECT_EQ(f.JoinedItems(), u"one^two");
    f.SetItemsFromJoined(u"");
    EXPECT_EQ(f.ItemCount(), 0u);
}

TEST(Field, YesNoStatesAndDisplayTexts) {
    Field f;
    f.SetType(FT_YESNO);
    std::u16string scratch;
    struct Case { const char16_t* value; int state; const char16_t* shown; };
    const Case cases[] = {
        {u"1", 1, StringTableLookup(kStringYes)},
        {u"0", 0, StringTableLookup(kStringNo)},
        {u"2", 2, u""},
        {u"yes", 2, u""},
        {u"", 2, u""},
    };
    for (const Case& c : cases) {
        f.SetValue(c.value);
        EXPECT_EQ(f.YesNoState(), c.state) << std::string(c.value, c.value + std::char_traits<char16_t>::length(c.value));
        EXPECT_EQ(std::u16string(f.DisplayText(&scratch)), c.shown);
    }
    f.SetYesNoState(7);
    EXPECT_EQ(f.Value(), u"2");

    Field d;
    d.SetType(FT_DATETIME);
    d.SetDateTime(Time(2026, 12, 9, 7, 30));
    EXPECT_EQ(std::u16string(d.DisplayText(&scratch)), u"2026-12-09  07:30");
    d.SetType(FT_DATE);
    EXPECT_EQ(std::u16string(d.DisplayText(&scratch)), u"2026-12-09");
    d.SetType(FT_TIME);
    EXPECT_EQ(std::u16string(d.DisplayText(&scratch)), u"07:30");
    Field t;
    t.SetValue(u"plain");
    EXPECT_EQ(t.DisplayText(&scratch).data(), t.Value().data());  // no copy for plain values
}

TEST(Card, FieldLimitAndOrdering) {
    Card card;
    for (size_t i = 0; i < kMaxFields - 1; ++i) ASSERT_NE(card.AddField(FT_TEXT), nullptr);
    card.FieldAt(0)->SetValue(u"first");
    ASSERT_NE(card.DuplicateField(0), nullptr);  // the 255th
    EXPECT_EQ(card.FieldAt(1)->Value(), u"first");
    EXPECT_EQ(card.FieldCount(), kMaxFields);
    EXPECT_EQ(card.AddField(FT_TEXT), nullptr);
    EXPECT_EQ(card.DuplicateField(3), nullptr);
    EXPECT_EQ(card.FieldAt(kMaxFields), nullptr);

    Card small;
    for (const char16_t* name : {u"a", u"b", u"c", u"d"}) small.AddField(FT_TEXT)->SetName(name);
    for (Field& f : small.Fields()) f.ClearChangeFlags();
    small.SetModified(false);
    EXPECT_FALSE(small.MoveFieldUp(0));
    EXPECT_FALSE(small.MoveFieldDown(3));
    EXPECT_FALSE(small.MoveFieldToTop(0));
    EXPECT_FALSE(small.MoveFieldToBottom(3));
    EXPECT_FALSE(small.DeleteField(4));
    EXPECT_FALSE(small.IsModified());
    EXPECT_TRUE(small.MoveFieldToTop(2));     // c a b d
    EXPECT_TRUE(small.MoveFieldToBottom(1));  // c b d a
    EXPECT_TRUE(small.MoveFieldDown(0));      // b c d a
    std::u16string order;
    for (const Field& f : small.Fields()) order += f.Name();
    EXPECT_EQ(order, u"bcda");
    EXPECT_TRUE(small.IsModified());

    Card inserted;
    inserted.AddField(FT_TEXT)->SetName(u"end");
    inserted.AddField(FT_PHONE, 0)->SetName(u"front");
    EXPECT_EQ(inserted.FieldAt(0)->Type(), FT_PHONE);
    EXPECT_EQ(inserted.FieldAt(1)->Name(), u"end");
}

TEST(Card, ModifiedByAFieldChange) {
    Card card;
    card.AddField(FT_TEXT);
    for (Field& f : card.Fields()) f.ClearChangeFlags();
    card.SetModified(false);
    EXPECT_FALSE(card.IsModified());
    card.FieldAt(0)->SetValue(u"x");
    EXPECT_TRUE(card.IsModified());
}

TEST(Card, AttachmentSlots) {
    Card card;
    const uint8_t byte = 7;
    for (size_t i = 0; i < kMaxAttachments; ++i) {
        Attachment a;
        ASSERT_TRUE(a.SetFromBytes(&byte, 1, u"C:\\docs\\f.txt", SystemTime()));
        EXPECT_EQ(card.AddAttachment(std::move(a)), static_cast<int>(i));
    }
    Attachment extra;
    extra.SetFromBytes(&byte, 1, u"g.txt", SystemTime());
    EXPECT_EQ(card.AddAttachment(std::move(extra)), Card::kNoFreeSlot);
    EXPECT_EQ(card.AttachmentCount(), kMaxAttachments);
    EXPECT_TRUE(card.ClearAttachment(3));
    EXPECT_EQ(card.FirstFreeAttachmentSlot(), 3);
    EXPECT_EQ(card.AttachmentAt(0).fileName, u"f.txt");
    EXPECT_FALSE(card.AttachmentAt(99).HasData());
}

TEST(BuiltInForm, CatalogueNumberingKeysAndTexts) {
    // number -> key, name string, icon, field count
    const uint32_t table[43][4] = {
        {500, 39000, 110, 16}, {501, 39001, 44, 10}, {502, 39002, 44, 20}, {503, 39003, 30, 33},
        {504, 39004, 20, 13}, {505, 39005, 57, 25}, {506, 39006, 67, 22}, {507, 39007, 79, 16},
        {508, 39008, 48, 17}, {509, 39009, 76, 10}, {510, 39010, 74, 5}, {512, 39011, 50, 3},
        {513, 39012, 107, 11}, {514, 39013, 108, 17}, {515, 39014, 5, 8}, {516, 39015, 50, 13},
        {517, 39016, 109, 18}, {518, 39017, 47, 12}, {519, 39018, 48, 8}, {520, 39019, 79, 3},
        {521, 39020, 51, 15}, {522, 39021, 71, 16}, {523, 39024, 1, 27}, {524, 39025, 1, 24},
        {529, 39028, 2, 16}, {525, 39022, 1, 26}, {526, 39023, 1, 38}, {527, 39026, 2, 15},
        {528, 39027, 78, 13}, {530, 39029, 2, 13}, {531, 39030, 73, 14}, {532, 39031, 2, 17},
        {533, 39034, 2, 17}, {534, 39035, 131, 31}, {535, 39036, 68, 10}, {536, 39037, 98, 13},
        {537, 39038, 100, 27}, {538, 39039, 100, 29}, {539, 39040, 112, 15}, {540, 39041, 85, 23},
        {511, 39033, 89, 21}, {541, 39042, 68, 15}, {542, 39043, 30, 40},
    };
    std::set<std::u16string> names;
    for (int n = 0; n < kBuiltInFormCount; ++n) {
        const BuiltInForm* form = BuiltInFormByNumber(n);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->key, table[n][0]) << n;
        EXPECT_EQ(form->nameString, table[n][1]) << n;
        EXPECT_EQ(form->icon, static_cast<int32_t>(table[n][2])) << n;
        EXPECT_EQ(form->fieldCount, table[n][3]) << n;
        EXPECT_EQ(BuiltInFormByKey(form->key), form);
        EXPECT_EQ(BuiltInFormNumberOfKey(form->key), n);
        ASSERT_NE(StringTableLookup(form->nameString), nullptr) << n;
        EXPECT_TRUE(names.insert(StringTableLookup(form->nameString)).second) << "duplicate form name " << n;
        for (uint32_t i = 0; i < form->fieldCount; ++i) {
            const char16_t* label = StringTableLookup(form->fields[i].labelString);
            ASSERT_NE(label, nullptr) << n << "/" << i;
            EXPECT_NE(label[0], u'\0');
        }
    }
    EXPECT_EQ(BuiltInFormByNumber(-1), nullptr);
    EXPECT_EQ(BuiltInFormByNumber(43), nullptr);
    EXPECT_EQ(BuiltInFormNumberOfKey(543), -1);
    EXPECT_EQ(BuiltInFormByKey(499), nullptr);
}

TEST(BuiltInForm, TheFormsGivenInFull) {
    struct T { uint32_t label, kind; bool pin; };
    const T form10[] = {{32000, 2, false}, {32001, 0, true}, {32002, 2, false}, {32003, 0, false}, {32004, 2, false}};
    const T form19[] = {{32902, 1, false}, {32900, 5, false}, {32901, 0, false}};
    const BuiltInForm* f10 = BuiltInFormByNumber(10);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f10->fields[i].labelString, form10[i].label);
        EXPECT_EQ(f10->fields[i].kind, form10[i].kind);
        EXPECT_EQ(f10->fields[i].pin, form10[i].pin);
    }
    const BuiltInForm* f19 = BuiltInFormByNumber(19);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(f19->fields[i].labelString, form19[i].label);
        EXPECT_EQ(f19->fields[i].kind, form19[i].kind);
        EXPECT_EQ(f19->fields[i].pin, form19[i].pin);
    }
    const BuiltInForm* f42 = BuiltInFormByNumber(42);
    const T group[] = {{31333, 1, false}, {31314, 15, false}, {31303, 11, false}, {31305, 11, false}};
    for (size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(f42->fields[i].labelString, group[i % 4].label) << i;
        EXPECT_EQ(f42->fields[i].kind, group[i % 4].kind) << i;
    }
}

// What cards and stored files rely on across every form: keys 1, 2, 3 ... in order (a card keeps its
// template keys), only the kind codes the catalogue knows, a PIN always on a plain template, and each
// label once per form except where the contact list repeats its group.
TEST(BuiltInForm, EveryFormKeepsTheCatalogueInvariants) {
    const std::set<uint32_t> kinds = {TLF_DEFAULT, TLF_UPPERALL, TLF_UPPERFIRST, TLF_URL, TLF_CODE,  TLF_DATE,
                                      TLF_YESNO,   TLF_TEL,      TLF_EMAIL,      TLF_LINK, TLF_TIME, TLF_DATETIME};
    std::set<uint32_t> keys, kindsSeen;
    int pins = 0;
    for (int n = 0; n < kBuiltInFormCount; ++n) {
        const BuiltInForm* form = BuiltInFormByNumber(n);
        ASSERT_NE(form, nullptr);
        ASSERT_NE(form->fields, nullptr) << n;
        ASSERT_GT(form->fieldCount, 0u) << n;
        EXPECT_TRUE(keys.insert(form->key).second) << "duplicate form key " << n;
        EXPECT_GE(form->key, 500u) << n;
        EXPECT_LE(form->key, 542u) << n;
        std::set<uint32_t> labels;
        for (uint32_t i = 0; i < form->fieldCount; ++i) {
            const FieldTemplate& t = form->fields[i];
            EXPECT_EQ(t.key, i + 1) << n << "/" << i;
            EXPECT_EQ(kinds.count(t.kind), 1u) << n << "/" << i << " kind " << t.kind;
            kindsSeen.insert(t.kind);
            if (t.pin) {
                EXPECT_EQ(t.kind, TLF_DEFAULT) << n << "/" << i;
                EXPECT_EQ(FieldTypeForTemplate(t.kind, t.pin), FT_PASSWORD);
                ++pins;
            }
            if (n != 42) {
                EXPECT_TRUE(labels.insert(t.labelString).second) << "label twice in form " << n << "/" << i;
            }
        }
    }
    // The two codes that only the catalogue uses are there.
    EXPECT_EQ(kindsSeen.count(TLF_CODE), 1u);
    EXPECT_EQ(kindsSeen.count(TLF_DATETIME), 1u);
    EXPECT_GT(pins, 0);
}

TEST(BuiltInForm, TemplateKindMapping) {
    struct Case { uint32_t kind; bool pin; uint16_t type; };
    const Case cases[] = {
        {TLF_DEFAULT, true, FT_PASSWORD}, {TLF_URL, true, FT_PASSWORD}, {TLF_DEFAULT, false, FT_TEXT},
        {TLF_UPPERALL, false, FT_TEXT},   {TLF_UPPERFIRST, false, FT_TEXT}, {TLF_URL, false, FT_URL},
        {TLF_CODE, false, FT_TEXT},       {TLF_DATE, false, FT_DATE},   {TLF_YESNO, false, FT_TEXT},
        {TLF_TEL, false, FT_PHONE},       {TLF_EMAIL, false, FT_EMAIL}, {TLF_LINK, false, FT_TEXT},
        {TLF_TIME, false, FT_TIME},       {TLF_DATETIME, false, FT_DATETIME}, {99, false, FT_TEXT},
    };
    for (const Case& c : cases) EXPECT_EQ(FieldTypeForTemplate(c.kind, c.pin), c.type) << c.kind << " " << c.pin;
}
