// The card view's portable rules: the rows built from a card, the classification of a link's text,
// what activating a row hands over, moving the selection and the scroll arithmetic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardui/CardViewRules.h"
#include "model/Card.h"
#include "resources/StringTable.h"

using namespace tl5;

namespace {

SystemTime Date(uint16_t y, uint16_t m, uint16_t d) {
    SystemTime t;
    t.year = y;
    t.month = m;
    t.day = d;
    return t;
}

void Attach(Card& card, size_t slot, const std::u16string& path) {
    Attachment a;
    const uint8_t bytes[] = {1, 2, 3};
    ASSERT_TRUE(a.SetFromBytes(bytes, sizeof bytes, path, Date(2024, 5, 6)));
    ASSERT_TRUE(card.SetAttachment(slot, std::move(a)));
}

Field* Add(Card& card, uint16_t type, const std::u16string& name, const std::u16string& value) {
    Field* f = card.AddField(type);
    f->SetName(name);
    if (!value.empty()) f->SetValue(value);
    return f;
}

ViewRow Row(RowKind kind, uint32_t actions, std::u16string text) {
    ViewRow r;
    r.kind = kind;
    r.actions = actions;
    r.text = std::move(text);
    return r;
}

ViewRow Value(uint32_t actions, std::u16string text) { return Row(kRowFieldValue, actions, std::move(text)); }

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

}  // namespace

// ---- Rows ----------------------------------------------------------------------------------------------

TEST(CardViewRows, FixtureCardGivesNameAndValueRowsForShownFieldsThenAttachments) {
    Card card;
    Add(card, FT_TEXT, u"Name", u"Bob");                  // 0
    Add(card, FT_TEXT, u"Empty", u"");                    // 1: no rows
    Add(card, FT_TEXT, u"", u"orphan");                   // 2: nameless
    Add(card, FT_PASSWORD, u"Pin", u"s3cret");            // 3
    Add(card, FT_LINK, u"Site", u"  WWW.Example.COM");    // 4
    Add(card, FT_DATE, u"Born", u"")->SetDateTime(Date(2020, 1, 2));  // 5
    Add(card, FT_DATE, u"Died", u"");                     // 6: date not set
    Add(card, FT_YESNO, u"Unsure", u"");                  // 7: neither yes nor no
    Add(card, FT_YESNO, u"Married", u"1");                // 8
    Add(card, FT_URL, u"Home", u"HTTP://Example.com/A");  // 9
    Add(card, FT_EMAIL, u"Mail", u"a@b.c");               // 10
    Add(card, FT_PHONE, u"Tel", u"555-1234");             // 11
    Attach(card, 0, u"C:\\docs\\plan.doc");
    Attach(card, 7, u"notes.txt");

    const char16_t* yes = StringTableLookup(kStringYes);
    ASSERT_NE(yes, nullptr);
    struct Expected {
        RowKind kind;
        uint32_t actions;
        std::u16string text;
        int field;
        int attachment;
    };
    const std::vector<Expected> expected = {
        {kRowFieldName, 0, u"Name", 0, -1},
        {kRowFieldValue, 0x1000, u"Bob", 0, -1},
        {kRowFieldName, 0, u"*", 2, -1},
        {kRowFieldValue, 0x1000, u"orphan", 2, -1},
        {kRowFieldName, 0, u"Pin", 3, -1},
        {kRowFieldValue, 0x1008, u"s3cret", 3, -1},
        {kRowFieldName, 0, u"Site", 4, -1},
        {kRowFieldValue, 0x201000, u"  WWW.Example.COM", 4, -1},
        {kRowFieldName, 0, u"Born", 5, -1},
        {kRowFieldValue, 0x1000, u"2020-01-02", 5, -1},
        {kRowFieldName, 0, u"Married", 8, -1},
        {kRowFieldValue, 0x1000, yes, 8, -1},
        {kRowFieldName, 0, u"Home", 9, -1},
        {kRowFieldValue, 0x11000, u"HTTP://Example.com/A", 9, -1},
        {kRowFieldName, 0, u"Mail", 10, -1},
        {kRowFieldValue, 0x81000, u"a@b.c", 10, -1},
        {kRowFieldName, 0, u"Tel", 11, -1},
        {kRowFieldValue, 0x21000, u"555-1234", 11, -1},
        {kRowFieldName, 0, u"Attachment", -1, 0},
        {kRowAttachment, 0x41000, u"plan.doc", -1, 0},
        {kRowFieldName, 0, u"Attachment", -1, 7},
        {kRowAttachment, 0x41000, u"notes.txt", -1, 7},
    };

    std::vector<ViewRow> rows = BuildViewRows(card, u"Attachment");
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(rows[i].kind, expected[i].kind);
        EXPECT_EQ(rows[i].actions, expected[i].actions);
        EXPECT_EQ(Narrow(rows[i].text), Narrow(expected[i].text));
        EXPECT_EQ(rows[i].fieldIndex, expected[i].field);
        EXPECT_EQ(rows[i].attachmentIndex, expected[i].attachment);
        EXPECT_EQ(rows[i].height, 0);
    }

    WipeViewRows(&rows);
    EXPECT_TRUE(rows.empty());
    WipeViewRows(nullptr);
}

TEST(CardViewRows, FullCardGives530StrictlyAlternatingRows) {
    Card card;
    for (size_t i = 0; i < kMaxFields; ++i) {
        ASSERT_NE(Add(card, FT_TEXT, u"", u"v" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26))), nullptr);
    }
    for (size_t slot = 0; slot < kMaxAttachments; ++slot) Attach(card, slot, u"f.bin");

    const std::vector<ViewRow> rows = BuildViewRows(card, u"A");
    ASSERT_EQ(rows.size(), 530u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool name = i % 2 == 0;
        ASSERT_EQ(rows[i].IsName(), name) << i;
        if (i < 2 * kMaxFields) {
            EXPECT_EQ(rows[i].fieldIndex, static_cast<int>(i / 2));
            EXPECT_EQ(rows[i].attachmentIndex, -1);
        } else {
            EXPECT_EQ(rows[i].fieldIndex, -1);
            EXPECT_EQ(rows[i].attachmentIndex, static_cast<int>((i - 2 * kMaxFields) / 2));
            if (!name) {
                EXPECT_EQ(rows[i].kind, kRowAttachment);
            }
        }
    }
}

TEST(CardViewRows, ValueActionsByFieldType) {
    const struct {
        uint16_t type;
        uint32_t actions;
    } cases[] = {
        {FT_TEXT, 0x1000},  {FT_URL, 0x11000},  {FT_LINK, 0x201000}, {FT_EMAIL, 0x81000},
        {FT_PHONE, 0x21000}, {FT_PASSWORD, 0x1008}, {FT_DATE, 0x1000}, {FT_YESNO, 0x1000},
        {999, 0x1000},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueRowActions(c.type), c.actions) << c.type;
}

TEST(CardViewRows, PasswordIsMaskedUnlessSelectedOrAlwaysShown) {
    const ViewRow password = Value(0x1008, u"s3cret");
    const ViewRow plain = Value(0x1000, u"open");
    EXPECT_EQ(RowDisplayText(password, false, false), u"**********");
    EXPECT_EQ(RowDisplayText(password, true, false), u"s3cret");
    EXPECT_EQ(RowDisplayText(password, false, true), u"s3cret");
    EXPECT_EQ(RowDisplayText(plain, false, false), u"open");
    EXPECT_TRUE(IsSecretCopy(password));
    EXPECT_FALSE(IsSecretCopy(plain));
}

// ---- Addresses -----------------------------------------------------------------------------------------

TEST(CardViewAddress, Classification) {
    const struct {
        std::u16string text;
        AddressClass cls;
        std::u16string cleaned;
    } cases[] = {
        {u"(555) 123-4567", AddressClass::kPhone, u"(555) 123-4567"},
        {u"10.0.0.1", AddressClass::kPhone, u"10.0.0.1"},
        {u"   +1 555 1234", AddressClass::kPhone, u"+1 555 1234"},
        {u"ab123", AddressClass::kPhone, u"ab123"},   // exactly 60% digits
        {u"abc12", AddressClass::kNone, u"abc12"},    // 40%
        {u"a@b.c", AddressClass::kEmail, u"a@b.c"},
        {u"  Bob@Mail.COM", AddressClass::kEmail, u"Bob@Mail.COM"},  // e-mail keeps its case
        {u"a.b@c", AddressClass::kNone, u"a.b@c"},    // no "." after the "@"
        {u"Hello. Bye.", AddressClass::kWeb, u"hello. bye."},
        {u"WWW.Example", AddressClass::kWeb, u"www.example"},
        {u" HTTPS://x", AddressClass::kWeb, u"https://x"},
        {u"FtpSite", AddressClass::kWeb, u"ftpsite"},
        {u"plain", AddressClass::kNone, u"plain"},
        {u"", AddressClass::kNone, u""},
        {u"     ", AddressClass::kNone, u""},
        {u"\tTab.example.com", AddressClass::kWeb, u"\ttab.example.com"},  // only spaces are skipped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        std::u16string cleaned = u"old";
        EXPECT_EQ(ClassifyAddress(c.text, &cleaned), c.cls);
        EXPECT_EQ(Narrow(cleaned), Narrow(c.cleaned));
    }
    EXPECT_EQ(ClassifyAddress(u"a@b.c", nullptr), AddressClass::kEmail);
}

TEST(CardViewAddress, OnlyTheFirst1023CharactersAreLookedAtButNothingIsCut) {
    // The dots lie beyond the window: a letter run is not an address.
    std::u16string text(1023, u'x');
    text += u"..";
    std::u16string cleaned;
    EXPECT_EQ(ClassifyAddress(text, &cleaned), AddressClass::kNone);

    // Digits in the window make a phone number; the cleaned text is the whole of it.
    std::u16string longNumber = u"  " + std::u16string(1500, u'7');
    EXPECT_EQ(ClassifyAddress(longNumber, &cleaned), AddressClass::kPhone);
    EXPECT_EQ(cleaned.size(), 1500u);
}

TEST(CardViewAddress, ActionIcons) {
    ViewRow attachment = Row(kRowAttachment, 0x41000, u"f.doc");
    const struct {
        ViewRow row;
        int icon;
    } cases[] = {
        {Value(0x11000, u"x"), 0},
        {Value(0x81000, u"x"), 1},
        {Value(0x21000, u"x"), 2},
        {attachment, 3},
        {Value(0x1000, u"x"), -1},
        {Value(0x1008, u"x"), -1},
        {Value(0x201000, u"555 1234"), 2},
        {Value(0x201000, u"www.x"), 0},
        {Value(0x201000, u"a@b.c"), 1},
        {Value(0x201000, u"plain"), -1},
        {Row(kRowFieldName, 0, u"Web"), -1},
    };
    for (const auto& c : cases) EXPECT_EQ(ActionIconIndex(c.row), c.icon) << Narrow(c.row.text);
}

// ---- Activation ----------------------------------------------------------------------------------------

TEST(CardViewActivation, EachKindOfRow) {
    ViewRow attachment = Row(kRowAttachment, 0x41000, u"f.doc");
    attachment.attachmentIndex = 7;
    const struct {
        ViewRow row;
        HandOverKind kind;
        std::u16string program, commandLine, text;
        int attachment;
    } cases[] = {
        {Row(kRowFieldName, 0, u"Mail"), HandOverKind::kNothing, u"", u"", u"", -1},
        {Value(0x81000, u""), HandOverKind::kNothing, u"", u"", u"", -1},
        {Value(0x81000, u"a@b.c"), HandOverKind::kMail, u"tmail.exe", u"-to \"a@b.c\"", u"", -1},
        {Value(0x21000, u"555-1234"), HandOverKind::kPhone, u"", u"", u"555-1234", -1},
        // A stored web address goes as it stands, case and spaces too.
        {Value(0x11000, u" HTTP://Ex.com/A"), HandOverKind::kWeb, u"iexplore.exe", u" HTTP://Ex.com/A", u"", -1},
        {attachment, HandOverKind::kAttachment, u"", u"", u"", 7},
        {Value(0x1000, u"Bob"), HandOverKind::kCopy, u"", u"", u"Bob", -1},
        {Value(0x1008, u"s3cret"), HandOverKind::kCopy, u"", u"", u"s3cret", -1},
        // Links are classified; the cleaned text is handed over.
        {Value(0x201000, u"  WWW.Example.COM/Path"), HandOverKind::kWeb, u"iexplore.exe", u"www.example.com/path", u"",
         -1},
        {Value(0x201000, u"  Bob@Mail.com"), HandOverKind::kMail, u"tmail.exe", u"-to \"Bob@Mail.com\"", u"", -1},
        {Value(0x201000, u" (555) 123-4567"), HandOverKind::kPhone, u"", u"", u"(555) 123-4567", -1},
        {Value(0x201000, u"  Plain"), HandOverKind::kCopy, u"", u"", u"  Plain", -1},
        // A quote would end the mail program's argument and start another.
        {Value(0x81000, u"a@b.c\" -attach \"x"), HandOverKind::kRefused, u"", u"", u"", -1},
        {Value(0x201000, u"x\"@b.c"), HandOverKind::kRefused, u"", u"", u"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.row.text));
        const HandOver h = PlanActivation(c.row);
        EXPECT_EQ(h.kind, c.kind);
        EXPECT_EQ(Narrow(h.program), Narrow(c.program));
        EXPECT_EQ(Narrow(h.commandLine), Narrow(c.commandLine));
        EXPECT_EQ(Narrow(h.text), Narrow(c.text));
        EXPECT_EQ(h.attachment, c.attachment);
    }
}

TEST(CardViewActivation, AddressesLongerThanTheHandOverLimitAreRefusedNotCut) {
    const std::u16string web255 = u"http://" + std::u16string(kMaxHandOverText - 7, u'a');
    const std::u16string web256 = web255 + u"b";
    const std::u16string mail255 = std::u16string(kMaxHandOverText - 4, u'm') + u"@b.c";
    const std::u16string phone256(kMaxHandOverText + 1, u'5');
    const struct {
        uint32_t actions;
        std::u16string text;
        HandOverKind kind;
    } cases[] = {
        {0x11000, web255, HandOverKind::kWeb},
        {0x11000, web256, HandOverKind::kRefused},
        {0x201000, web255, HandOverKind::kWeb},
        {0x201000, web256, HandOverKind::kRefused},
        // Leading spaces do not count: the cleaned text is what would be handed over.
        {0x201000, u"    " + web255, HandOverKind::kWeb},
        {0x81000, mail255, HandOverKind::kMail},
        {0x81000, mail255 + u"m", HandOverKind::kRefused},
        {0x21000, phone256, HandOverKind::kRefused},
        {0x201000, phone256, HandOverKind::kRefused},
        // Text that is only copied has no limit.
        {0x1000, phone256, HandOverKind::kCopy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.text.size()) + " " + std::to_string(c.actions));
        const HandOver h = PlanActivation(Value(c.actions, c.text));
        EXPECT_EQ(h.kind, c.kind);
        if (c.kind == HandOverKind::kWeb) {
            EXPECT_EQ(h.commandLine.size(), kMaxHandOverText);
        }
        if (c.kind == HandOverKind::kRefused) {
            EXPECT_TRUE(h.program.empty());
            EXPECT_TRUE(h.commandLine.empty());
            EXPECT_TRUE(h.text.empty());
        }
    }
}

// ---- Selection -----------------------------------------------------------------------------------------

namespace {

// Rows by kind letters: 'n' a name row, 'v' a value row; every row `height` pixels tall.
std::vector<ViewRow> Rows(const char* kinds, int height = 10) {
    std::vector<ViewRow> rows;
    for (const char* k = kinds; *k; ++k) {
        ViewRow r = Row(*k == 'n' ? kRowFieldName : kRowFieldValue, 0, u"x");
        r.height = height;
        rows.push_back(r);
    }
    return rows;
}

}  // namespace

TEST(CardViewSelection, FirstNextAndPrevious) {
    EXPECT_EQ(FirstSelectableRow({}), 0);
    EXPECT_EQ(FirstSelectableRow(Rows("nvnv")), 1);
    EXPECT_EQ(FirstSelectableRow(Rows("nnn")), 2);

    const std::vector<ViewRow> rows = Rows("nvnnvn");  // 0..5
    const struct {
        int from, next, previous;
    } cases[] = {
        {0, 1, 0}, {1, 4, 0}, {2, 4, 1}, {4, 5, 1}, {5, 5, 4}, {9, 5, 4}, {-1, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextSelectableRow(rows, c.from), c.next) << c.from;
        EXPECT_EQ(PreviousSelectableRow(rows, c.from), c.previous) << c.from;
    }
    EXPECT_EQ(NextSelectableRow({}, 0), 0);
    EXPECT_EQ(PreviousSelectableRow({}, 0), 0);
    // Back past name rows to the top: row 0, even though it is a name row.
    EXPECT_EQ(PreviousSelectableRow(Rows("nnv"), 2), 0);
}

TEST(CardViewSelection, RowUnderATapAndRowPositions) {
    std::vector<ViewRow> rows = Rows("nvnv");
    rows[1].height = 30;  // name 0-10, value 10-40, name 40-50, value 50-60
    const struct {
        int y, row;
    } cases[] = {{-5, 1}, {0, 1}, {5, 1}, {40, 1}, {41, 3}, {60, 3}, {61, 0}};
    for (const auto& c : cases) EXPECT_EQ(RowAtOffset(rows, c.y), c.row) << c.y;
    EXPECT_EQ(RowAtOffset({}, 0), 0);

    EXPECT_EQ(RowTop(rows, 0), 0);
    EXPECT_EQ(RowTop(rows, 2), 40);
    EXPECT_EQ(RowTop(rows, 4), 60);
    EXPECT_EQ(RowTop(rows, 99), 60);
    EXPECT_EQ(TotalHeight(rows), 60);
    EXPECT_EQ(TotalHeight({}), 0);
}

// ---- Scrolling -----------------------------------------------------------------------------------------

TEST(CardViewScrolling, RangeForListAndClient) {
    const ScrollState s = ScrollRangeFor(500, 200, 120);
    EXPECT_EQ(s.minimum, 0);
    EXPECT_EQ(s.maximum, 500);
    EXPECT_EQ(s.page, 200);
    EXPECT_EQ(s.position, 120);
    EXPECT_TRUE(s.Scrolls());

    for (int total : {0, 150, 200}) {
        const ScrollState fits = ScrollRangeFor(total, 200, 120);
        EXPECT_FALSE(fits.Scrolls()) << total;
        EXPECT_EQ(fits.maximum, 0);
        EXPECT_EQ(fits.page, 0);
        EXPECT_EQ(fits.position, 0);
    }
    // A position kept from a longer list is brought into the range, as the scroll bar does.
    EXPECT_EQ(ScrollRangeFor(500, 200, 450).position, 301);
    EXPECT_EQ(ScrollRangeFor(500, 200, -3).position, 0);
}

TEST(CardViewScrolling, TargetsOfScrollBarCodes) {
    ScrollState s;
    s.maximum = 500;
    s.page = 200;  // the position runs 0 .. 301
    const int L = 16;
    const struct {
        int code, track, position, target;
    } cases[] = {
        {0, 0, 100, 84},   {0, 0, 10, 0},     {0, 0, 0, -1},     // line up: near the top reaches 0
        {1, 0, 100, 116},  {1, 0, 295, 301},  {1, 0, 301, -1},   // line down
        {2, 0, 250, 50},   {2, 0, 150, 0},    {2, 0, 0, -1},     // page up
        {3, 0, 50, 250},   {3, 0, 250, 301},  {3, 0, 301, -1},   // page down clamps at max - page + 1
        {4, 123, 0, 123},  {5, 77, 0, 77},    {5, 77, 77, -1},   // thumb
        {5, 900, 0, 301},  {5, -5, 10, 0},
        {6, 0, 140, 0},    {6, 0, 0, -1},                        // top
        {7, 0, 0, 301},    {7, 0, 301, -1},                      // bottom
        {8, 0, 100, -1},   {-1, 0, 100, -1},
    };
    for (const auto& c : cases) {
        s.position = c.position;
        EXPECT_EQ(ScrollTarget(c.code, c.track, s, L), c.target) << c.code << " at " << c.position;
    }

    // A thumb position beyond 16 bits is taken whole.
    ScrollState tall = ScrollRangeFor(200000, 300, 0);
    EXPECT_EQ(ScrollTarget(5, 70000, tall, L), 70000);
    EXPECT_EQ(ScrollTarget(4, 199999, tall, L), 199701);

    // A list that does not scroll never moves.
    const ScrollState none = ScrollRangeFor(100, 200, 0);
    for (int code = 0; code <= 8; ++code) EXPECT_EQ(ScrollTarget(code, 50, none, L), -1) << code;
}

TEST(CardViewScrolling, PositionShowingARow) {
    ScrollState s = ScrollRangeFor(1000, 200, 300);  // shows 300 .. 500
    const struct {
        int top, height, view, editor;
    } cases[] = {
        {350, 20, 300, 300},  // inside
        {250, 20, 250, 230},  // above; the editor keeps the row above too
        {300, 20, 300, 280},  // at the top edge: only the editor brings the row above into view
        {310, 20, 300, 290},  // the row above (290..310) is partly hidden
        {490, 20, 310, 310},  // ends below
        {480, 20, 300, 300},  // ends exactly at the bottom
        {10, 20, 10, 0},      // the editor never goes above 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ViewPositionShowing(s, c.top, c.height), c.view) << c.top;
        EXPECT_EQ(EditorPositionShowing(s, c.top, c.height), c.editor) << c.top;
    }

    ScrollState none = ScrollRangeFor(100, 200, 0);
    none.position = 0;
    EXPECT_EQ(ViewPositionShowing(none, 500, 20), 0);
    EXPECT_EQ(EditorPositionShowing(none, 500, 20), 0);
}
