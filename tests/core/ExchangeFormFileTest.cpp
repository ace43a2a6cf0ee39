#include "exchange/FormFile.h"
#include "model/CardBody.h"
#include "model/LittleEndian.h"
#include "platform/MemoryFile.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tl5;

namespace {

std::shared_ptr<const CipherKey> KeyOf(uint8_t seed) {
    auto key = std::make_shared<CipherKey>();
    uint8_t bytes[16];
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<uint8_t>(seed + 3 * i);
    key->SetKey(bytes);
    return key;
}

// A card of a wallet: named, with a parent, a default form, fields of several kinds and media.
Card SampleCard(const std::shared_ptr<const CipherKey>& walletKey) {
    ItemRecord record;
    record.SetKey(walletKey);
    record.CreateAsCard(NewItemId());
    FormId form;
    FormId::ForBuiltIn(5, &form);
    record.SetDefaultForm(form);
    record.SetName(u"Bank \u00e9 card");
    record.SetIcon(44);
    Card card(record);
    Field* f = card.AddField(FT_TEXT);
    f->SetName(u"Holder");
    f->SetValue(u"J. Smith");
    f = card.AddField(FT_PASSWORD);
    f->SetName(u"PIN");
    f->SetValue(u"4711");
    f = card.AddField(FT_DATE);
    f->SetName(u"Expires");
    SystemTime t;
    t.year = 2030;
    t.month = 4;
    t.day = 30;
    f->SetDateTime(t);
    f = card.AddField(FT_LIST);
    f->SetName(u"Kind");
    f->AddItem(u"Debit");
    f->AddItem(u"Credit");
    f->SetValue(u"Credit");
    const uint8_t doc[] = {1, 2, 3, 4, 5};
    card.AddAttachment([&] {
        Attachment a;
        a.SetFromBytes(doc, sizeof doc, u"statement.pdf", t);
        return a;
    }());
    return card;
}

std::unique_ptr<File> Open(MemoryFileSystem& fs, const std::u16string& path, FileMode mode) {
    std::unique_ptr<File> f;
    EXPECT_EQ(fs.Open(path, mode, FileShare::Read, &f), kFileOk);
    return f;
}

}  // namespace

TEST(ExchangeFormFile, RoundTripWithValuesRekeysTheNameAndDropsTheIdentity) {
    const auto sourceKey = KeyOf(1);
    const auto targetKey = KeyOf(99);
    MemoryFileSystem fs;
    Card card = SampleCard(sourceKey);
    {
        auto f = Open(fs, u"a.tlx", FileMode::CreateAlways);
        ASSERT_EQ(WriteFormFile(card, f.get(), true, u"Ann", u"My bank form"), kFormFileWritten);
    }
    const std::string bytes = fs.Contents(u"a.tlx");
    ASSERT_GT(bytes.size(), kFormFileHeaderSize + ItemRecord::kSize);
    EXPECT_EQ(bytes.substr(0, 36), std::string("Ostrova Works\xAE Tessellock\xAE Pro Form\0", 36));
    const uint8_t* rec = reinterpret_cast<const uint8_t*>(bytes.data()) + kFormFileHeaderSize;
    for (size_t off : {ItemRecord::kOffId, ItemRecord::kOffParent, ItemRecord::kOffDefaultForm}) {
        for (int i = 0; i < 16; ++i) EXPECT_EQ(rec[off + i], 0) << off;
    }

    auto f = Open(fs, u"a.tlx", FileMode::OpenReadOnly);
    Card read;
    FormFileHeader header;
    ASSERT_TRUE(ReadFormFile(read, *f, &header, targetKey));
    EXPECT_EQ(header.author, u"Ann");
    EXPECT_EQ(header.description, u"My bank form");
    EXPECT_FALSE(header.written.IsZero());
    EXPECT_EQ(read.Record().Name(), u"Bank \u00e9 card");
    EXPECT_EQ(read.Record().Key(), targetKey.get());
    EXPECT_TRUE(read.Record().Id().IsNull());
    EXPECT_EQ(read.Record().Icon(), 44);
    ASSERT_EQ(read.FieldCount(), 4u);
    EXPECT_EQ(read.FieldAt(0)->Value(), u"J. Smith");
    EXPECT_EQ(read.FieldAt(1)->Type(), FT_PASSWORD);
    EXPECT_EQ(read.FieldAt(1)->Value(), u"4711");
    EXPECT_EQ(read.FieldAt(2)->DateTime().year, 2030);
    EXPECT_EQ(read.FieldAt(3)->ItemCount(), 2u);
    EXPECT_EQ(read.AttachmentCount(), 1u);

    // A record re-keyed this way reads back under the wallet key after a write and a read.
    MemoryFileSystem other;
    auto w = Open(other, u"w", FileMode::CreateAlways);
    read.Record().RecreateAsCardCopy(NewItemId());
    ASSERT_EQ(WriteCard(read, *w, *targetKey), kCardOk);
    ItemRecord back;
    back.SetKey(targetKey);
    w->Seek(0);
    back.AttachFile(w.get());
    ASSERT_EQ(back.Read(), kBlockOk);
    EXPECT_EQ(back.Name(), u"Bank \u00e9 card");
}

TEST(ExchangeFormFile, WithoutValuesKeepsNamesTypesAndItemsOnly) {
    const auto key = KeyOf(7);
    MemoryFileSystem fs;
    Card card = SampleCard(key);
    {
        auto f = Open(fs, u"b.tlx", FileMode::CreateAlways);
        ASSERT_EQ(WriteFormFile(card, f.get(), false, u"", std::u16string(200, u'd')), kFormFileWritten);
    }
    // No field chunk has a value piece or a date.
    const std::string bytes = fs.Contents(u"b.tlx");
    const uint8_t* body = reinterpret_cast<const uint8_t*>(bytes.data()) + kFormFileHeaderSize + ItemRecord::kSize;
    const size_t bodySize = bytes.size() - kFormFileHeaderSize - ItemRecord::kSize;
    int fields = 0;
    ASSERT_TRUE(WalkChunks(body + 64, bodySize - 64, [&](uint32_t type, const uint8_t* data, size_t) {
        EXPECT_NE(type, static_cast<uint32_t>(kChunkAttachment));
        if (type == kChunkField) {
            ++fields;
            EXPECT_EQ(LoadU32(data + 40), 0u);  // value piece size
            for (int i = 24; i < 40; ++i) EXPECT_EQ(data[i], 0);
        }
        return 0;
    }));
    EXPECT_EQ(fields, 4);

    auto f = Open(fs, u"b.tlx", FileMode::OpenReadOnly);
    Card read;
    FormFileHeader header;
    ASSERT_TRUE(ReadFormFile(read, *f, &header, key));
    EXPECT_EQ(header.description.size(), kFormDescriptionMax);
    EXPECT_TRUE(header.author.empty());
    ASSERT_EQ(read.FieldCount(), 4u);
    EXPECT_EQ(read.FieldAt(1)->Name(), u"PIN");
    EXPECT_EQ(read.FieldAt(1)->Type(), FT_PASSWORD);
    EXPECT_TRUE(read.FieldAt(1)->Value().empty());
    EXPECT_TRUE(read.FieldAt(2)->DateTime().IsZero());
    EXPECT_EQ(read.FieldAt(3)->ItemAt(1), u"Credit");
    EXPECT_EQ(read.AttachmentCount(), 0u);
}

TEST(ExchangeFormFile, CustomIconTravelsUnencryptedAfterTheRecord) {
    const auto key = KeyOf(3);
    Card card = SampleCard(key);
    const uint8_t icon[] = {0, 0, 1, 0, 9, 8, 7, 6};
    ASSERT_TRUE(card.Record().SetCustomIcon(icon, sizeof icon));
    MemoryFileSystem fs;
    {
        auto f = Open(fs, u"c.tlx", FileMode::CreateAlways);
        ASSERT_EQ(WriteFormFile(card, f.get(), true, u"", u""), kFormFileWritten);
    }
    const std::string bytes = fs.Contents(u"c.tlx");
    EXPECT_EQ(bytes.substr(1216, sizeof icon), std::string(reinterpret_cast<const char*>(icon), sizeof icon));
    auto f = Open(fs, u"c.tlx", FileMode::OpenReadOnly);
    Card read;
    ASSERT_TRUE(ReadFormFile(read, *f, nullptr, key));
    EXPECT_EQ(read.Record().CustomIconBytes(), std::vector<uint8_t>(icon, icon + sizeof icon));
}

TEST(ExchangeFormFile, RefusesWhatIsNotAWholeFormFile) {
    const auto key = KeyOf(5);
    MemoryFileSystem fs;
    Card card = SampleCard(key);
    {
        auto f = Open(fs, u"good.tlx", FileMode::CreateAlways);
        ASSERT_EQ(WriteFormFile(card, f.get(), true, u"", u""), kFormFileWritten);
    }
    const std::string good = fs.Contents(u"good.tlx");
    std::string version2 = good;
    version2[64] = 2;
    std::string text = good;
    text[3] = 'X';
    std::string badType = good;
    badType[kFormFileHeaderSize] ^= 0xFF;
    struct Case { const char* what; std::string bytes; };
    const Case cases[] = {
        {"version 2", version2},
        {"other text", text},
        {"header only", good.substr(0, kFormFileHeaderSize)},
        {"short header", good.substr(0, 100)},
        {"record cut", good.substr(0, kFormFileHeaderSize + 500)},
        {"body cut", good.substr(0, good.size() - 3)},
        {"unknown record type", badType},
    };
    for (const Case& c : cases) {
        fs.SetContents(u"bad.tlx", c.bytes);
        auto f = Open(fs, u"bad.tlx", FileMode::OpenReadOnly);
        Card read = SampleCard(key);
        EXPECT_FALSE(ReadFormFile(read, *f, nullptr, key)) << c.what;
        EXPECT_EQ(read.FieldCount(), 0u) << c.what;
        EXPECT_FALSE(read.HasRecord()) << c.what;
    }
    Card noRecord;
    auto f = Open(fs, u"x.tlx", FileMode::CreateAlways);
    EXPECT_EQ(WriteFormFile(noRecord, f.get(), true, u"", u""), kFormFileNoCardOrFile);
    EXPECT_EQ(WriteFormFile(card, nullptr, true, u"", u""), kFormFileNoCardOrFile);
}
