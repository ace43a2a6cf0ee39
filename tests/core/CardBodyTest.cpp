// The stored card body: pieces, chunks, writing and reading a card, damaged bodies, media and the
// attachment and sound operations.
#include "model/CardBody.h"
#include "model/CardSoundPlayer.h"
#include "model/LittleEndian.h"
#include "platform/CardServices.h"
#include "platform/DocumentsFolder.h"
#include "platform/MemoryFile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

using namespace tl5;

namespace {

std::shared_ptr<CipherKey> TestKey(uint8_t seed = 1) {
    auto key = std::make_shared<CipherKey>();
    uint8_t bytes[16];
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<uint8_t>(seed * 31 + i);
    key->SetKey(bytes);
    return key;
}

SystemTime Time(uint16_t y, uint16_t mo, uint16_t d, uint16_t h = 0, uint16_t mi = 0, uint16_t s = 0) {
    SystemTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return t;
}

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

Card NewCard(const std::shared_ptr<CipherKey>& key) {
    ItemRecord record;
    record.SetKey(key);
    record.CreateAsCard(ItemId());
    record.SetName(u"Card");
    return Card(record);
}

// A card with one field of every type, an image, a sound and two attachments in slots 0 and 2.
Card RichCard(const std::shared_ptr<CipherKey>& key) {
    Card card = NewCard(key);
    card.Head().words[0] = 0xDEADBEEF;  // not interpreted, still kept
    card.Head().words[CardHead::kDataBold] = 1;
    const uint16_t types[] = {FT_TEXT, FT_URL, FT_LINK, FT_EMAIL, FT_PHONE, FT_PASSWORD, FT_DATE, FT_TIME,
                              FT_DATETIME, FT_CHOICE, FT_LIST, FT_YESNO, FT_TEXT_CAPFIRST, FT_TEXT_CAPWORDS};
    int i = 0;
    for (uint16_t type : types) {
        Field* f = card.AddField(type);
        f->SetName(u"Name " + Utf8ToUtf16(std::to_string(i)) + u" \u00e9\U0001F511");
        if (IsDateTimeType(type)) {
            f->SetDateTime(Time(2026, 12, 9, 10, 11, 12));
        } else if (type == FT_YESNO) {
            f->SetYesNoState(1);
        } else {
            f->SetValue(u"value " + Utf8ToUtf16(std::to_string(i)));
        }
        ++i;
    }
    card.FieldAt(10)->AddItem(u"one");
    card.FieldAt(10)->AddItem(u"two");
    card.AddField(FT_LIST);  // a list without items
    card.AddField(FT_TEXT);  // neither name nor value

    CardImage image;
    const std::vector<uint8_t> png = Bytes("GIF89a-image-bytes");
    image.SetFromBytes(png.data(), png.size(), u"D:\\pictures\\Back.GIF", 0);
    image.position = 4;
    card.SetImage(std::move(image));
    CardSound sound;
    const std::vector<uint8_t> wav = Bytes("RIFF....WAVEfmt ");
    sound.SetFromBytes(wav.data(), wav.size(), u"\\sounds\\ding.wav");
    sound.playWhenViewed = 1;
    card.SetSound(std::move(sound));
    Attachment a;
    const std::vector<uint8_t> doc = Bytes("secret document contents 123");
    a.SetFromBytes(doc.data(), doc.size(), u"C:\\My Documents\\plan.doc", Time(2025, 1, 2, 3, 4, 5));
    card.SetAttachment(0, a);
    a.fileName = u"copy.doc";
    card.SetAttachment(2, a);
    return card;
}

void ExpectSameCard(const Card& a, const Card& b) {
    EXPECT_EQ(a.Head(), b.Head());
    ASSERT_EQ(a.FieldCount(), b.FieldCount());
    for (size_t i = 0; i < a.FieldCount(); ++i) {
        const Field& x = *a.FieldAt(i);
        const Field& y = *b.FieldAt(i);
        EXPECT_EQ(x.Type(), y.Type()) << i;
        EXPECT_EQ(x.Name(), y.Name()) << i;
        EXPECT_EQ(x.Value(), y.Value()) << i;
        EXPECT_EQ(x.DateTime(), y.DateTime()) << i;
        EXPECT_EQ(x.ItemCount(), y.ItemCount()) << i;
        for (size_t k = 0; k < x.ItemCount(); ++k) EXPECT_EQ(x.ItemAt(k), y.ItemAt(k));
        EXPECT_EQ(x.NameColour(), y.NameColour());
        EXPECT_EQ(x.DataColour(), y.DataColour());
    }
    EXPECT_EQ(a.Image().position, b.Image().position);
    EXPECT_EQ(a.Image().format, b.Image().format);
    EXPECT_EQ(a.Image().bytes.data, b.Image().bytes.data);
    EXPECT_EQ(a.Image().fileName, b.Image().fileName);
    EXPECT_EQ(a.Sound().format, b.Sound().format);
    EXPECT_EQ(a.Sound().playWhenViewed, b.Sound().playWhenViewed);
    EXPECT_EQ(a.Sound().bytes.data, b.Sound().bytes.data);
    EXPECT_EQ(a.Sound().fileName, b.Sound().fileName);
    // Attachments in slot order (a read card has them in the first slots).
    std::vector<const Attachment*> x, y;
    for (size_t s = 0; s < kMaxAttachments; ++s) {
        if (a.AttachmentAt(s).HasData()) x.push_back(&a.AttachmentAt(s));
        if (b.AttachmentAt(s).HasData()) y.push_back(&b.AttachmentAt(s));
    }
    ASSERT_EQ(x.size(), y.size());
    for (size_t s = 0; s < x.size(); ++s) {
        EXPECT_EQ(x[s]->bytes.data, y[s]->bytes.data) << s;
        EXPECT_EQ(x[s]->fileName, y[s]->fileName) << s;
        EXPECT_EQ(x[s]->fileTime, y[s]->fileTime) << s;
        EXPECT_EQ(x[s]->attachedAt, y[s]->attachedAt) << s;
    }
}

// A body built by hand: the head, then chunks.
struct BodyBuilder {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(CardHead::kSize, 0);
    void Chunk(uint32_t type, const std::vector<uint8_t>& data, uint32_t length) {
        uint8_t h[12] = {};
        StoreU32(h + 4, type);
        StoreU32(h + 8, length);
        bytes.insert(bytes.end(), h, h + 12);
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    void Chunk(uint32_t type, const std::vector<uint8_t>& data) { Chunk(type, data, static_cast<uint32_t>(data.size())); }
};

std::vector<uint8_t> FieldChunk(const Field& f, const CipherKey& key) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(SerializeField(f, key, &out));
    return out;
}

}  // namespace

TEST(CardBody, PieceSizesAndPadding) {
    const auto key = TestKey();
    struct Case { const char16_t* name; uint32_t size, padding; };
    for (const Case& c : {Case{u"a", 4, 2}, Case{u"ab", 8, 4}, Case{u"abc", 8, 2}, Case{u"", 0, 0}}) {
        Field f;
        f.SetName(c.name);
        const std::vector<uint8_t> chunk = FieldChunk(f, *key);
        EXPECT_EQ(LoadU32(chunk.data() + 16), c.size);
        EXPECT_EQ(LoadU32(chunk.data() + 20), c.padding);
        EXPECT_EQ(chunk.size(), kFieldHeaderSize + c.size);
        EXPECT_EQ(LoadU32(chunk.data() + 56), c.size);
        EXPECT_EQ(FieldChunkLength(f), chunk.size());
        for (uint32_t i = c.size - c.padding; i < c.size; ++i) EXPECT_EQ(chunk[kFieldHeaderSize + i], 0);
    }

    Field list;
    list.SetType(FT_LIST);
    list.AddItem(u"a");
    list.AddItem(u"bc");
    std::vector<uint8_t> chunk = FieldChunk(list, *key);
    EXPECT_EQ(LoadU32(chunk.data() + 48), 12u);  // "a^bc": 8 bytes and 4 of padding
    EXPECT_EQ(LoadU32(chunk.data() + 52), 4u);
    std::vector<uint8_t> plain(chunk.begin() + kFieldHeaderSize, chunk.begin() + kFieldHeaderSize + 8);
    key->Decrypt(plain.data(), plain.size(), plain.data());
    EXPECT_EQ(plain, (std::vector<uint8_t>{'a', 0, '^', 0, 'b', 0, 'c', 0}));

    Field emptyList;
    emptyList.SetType(FT_LIST);
    chunk = FieldChunk(emptyList, *key);
    EXPECT_EQ(chunk.size(), kFieldHeaderSize + 4);
    EXPECT_EQ(LoadU32(chunk.data() + 48), 4u);
    EXPECT_EQ(LoadU32(chunk.data() + 52), 4u);

    Field bare;  // type 1, no name, no value
    EXPECT_EQ(FieldChunk(bare, *key).size(), kFieldHeaderSize);
}

TEST(CardBody, CardRoundTripsThroughAFile) {
    const auto key = TestKey();
    MemoryFileSystem fs;
    std::unique_ptr<File> file;
    ASSERT_EQ(fs.Open(u"w.tl5", FileMode::CreateNew, FileShare::None, &file), kFileOk);
    Card card = RichCard(key);
    ASSERT_EQ(WriteCard(card, *file, *key), kCardOk);
    const std::string stored = fs.Contents(u"w.tl5");
    EXPECT_EQ(stored.size(), ItemRecord::kSize + card.Record().BodySize());
    EXPECT_EQ(stored.find("secret document"), std::string::npos);  // nothing in the clear
    EXPECT_EQ(stored.find("GIF89a"), std::string::npos);

    file->Seek(0);
    ItemRecord record;
    record.SetKey(key);
    record.AttachFile(file.get());
    ASSERT_EQ(record.Read(), kBlockOk);
    Card back(record);
    ASSERT_EQ(ReadCardBody(back, *file, *key), kCardOk);
    EXPECT_TRUE(back.IsLoaded());
    EXPECT_FALSE(back.IsModified());
    EXPECT_EQ(back.Record().Name(), u"Card");
    ExpectSameCard(card, back);
    EXPECT_EQ(back.FieldAt(9)->ItemCount(), 2u);  // the choice field kept its two default items
    EXPECT_EQ(back.Image().format, kImageGif);
    EXPECT_EQ(back.Sound().format, kSoundWav);
    EXPECT_EQ(back.AttachmentAt(1).fileName, u"copy.doc");  // read into the first free slots
    EXPECT_EQ(back.AttachmentCount(), 2u);

    Card empty = NewCard(key);
    std::vector<uint8_t> body;
    ASSERT_EQ(BuildCardBody(empty, *key, &body), kCardOk);
    EXPECT_EQ(body.size(), CardHead::kSize);
}

TEST(CardBody, WriteFailuresAreReported) {
    const auto key = TestKey();
    MemoryFileSystem memory;
    for (long failAt = 1; failAt <= 2; ++failAt) {
        FaultFileSystem fs(memory);
        fs.FailAt(failAt);
        std::unique_ptr<File> file;
        ASSERT_EQ(fs.Open(u"f" + Utf8ToUtf16(std::to_string(failAt)), FileMode::CreateNew, FileShare::None, &file), kFileOk);
        Card card = RichCard(key);
        EXPECT_NE(WriteCard(card, *file, *key), kCardOk) << failAt;
    }
    Card noRecord;
    MemoryFileSystem fs;
    std::unique_ptr<File> file;
    fs.Open(u"x", FileMode::CreateNew, FileShare::None, &file);
    EXPECT_EQ(WriteCard(noRecord, *file, *key), kCardNoRecord);
}

TEST(CardBody, ReaderSkipsUnknownChunksAndExtraFieldsAndAttachments) {
    const auto key = TestKey();
    Field f;
    f.SetName(u"n");
    f.SetValue(u"v");
    Attachment a;
    const uint8_t byte = 1;
    a.SetFromBytes(&byte, 1, u"a.bin", SystemTime());
    std::vector<uint8_t> attachmentChunk;
    ASSERT_TRUE(SerializeAttachment(a, *key, &attachmentChunk));

    BodyBuilder b;
    b.Chunk(5, {1, 2, 3, 4, 5, 6, 7});  // never written; read past
    for (int i = 0; i < 256; ++i) b.Chunk(kChunkField, FieldChunk(f, *key));
    for (int i = 0; i < 11; ++i) b.Chunk(kChunkAttachment, attachmentChunk);
    b.bytes.insert(b.bytes.end(), {0, 0, 0, 0, 0});  // fewer than 12 bytes left: the walk ends
    Card card = NewCard(key);
    ASSERT_EQ(ParseCardBody(card, b.bytes.data(), b.bytes.size(), *key), kCardOk);
    EXPECT_EQ(card.FieldCount(), kMaxFields);
    EXPECT_EQ(card.FieldAt(0)->Value(), u"v");
    EXPECT_EQ(card.AttachmentCount(), kMaxAttachments);
}

TEST(CardBody, DamagedBodiesAreRejectedWithoutReadingOutside) {
    const auto key = TestKey();
    Field f;
    f.SetType(FT_LIST);
    f.SetName(u"name");
    f.SetValue(u"value");
    f.AddItem(u"item");
    const std::vector<uint8_t> good = FieldChunk(f, *key);

    struct Case { const char* what; size_t offset; uint32_t value; bool chunkLength; };
    const Case cases[] = {
        {"chunk longer than the body", 0, 100000, true},
        {"name piece past the chunk", 16, 4000, false},
        {"value piece past the chunk", 40, 0x7FFFFFF0, false},
        {"padding larger than the piece", 20, 200, false},
        {"choice piece past the chunk", 48, 0xFFFFFFFF, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> chunk = good;
        BodyBuilder b;
        if (c.chunkLength) {
            b.Chunk(kChunkField, chunk, c.value);
        } else {
            StoreU32(chunk.data() + c.offset, c.value);
            b.Chunk(kChunkField, chunk);
        }
        // Read from an exactly sized heap copy so that a read past the end is caught by the sanitizer.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[b.bytes.size()]);
        std::copy(b.bytes.begin(), b.bytes.end(), exact.get());
        Card card = NewCard(key);
        EXPECT_EQ(ParseCardBody(card, exact.get(), b.bytes.size(), *key), kCardBodyDamaged) << c.what;
        EXPECT_FALSE(card.IsLoaded()) << c.what;
    }

    // Media chunks: a data piece past the chunk, and a header cut short.
    CardImage image;
    const std::vector<uint8_t> pixels = Bytes("pixels");
    image.SetFromBytes(pixels.data(), pixels.size(), u"p.bmp", 0);
    std::vector<uint8_t> imageChunk;
    ASSERT_TRUE(SerializeImage(image, *key, &imageChunk));
    StoreU32(imageChunk.data() + 16, 1u << 30);
    CardImage out;
    EXPECT_FALSE(DeserializeImage(imageChunk.data(), imageChunk.size(), *key, &out));
    EXPECT_FALSE(out.HasData());
    EXPECT_FALSE(DeserializeImage(imageChunk.data(), kImageHeaderSize - 1, *key, &out));
    Field shortField;
    EXPECT_FALSE(DeserializeField(good.data(), kFieldHeaderSize - 1, *key, &shortField));
}

TEST(CardBody, BodyReadInPartWithoutItsTrailingMedia) {
    const auto key = TestKey();
    Card card = NewCard(key);
    card.AddField(FT_TEXT)->SetValue(u"first");
    card.AddField(FT_PASSWORD)->SetValue(u"4711");
    Attachment a;
    const std::vector<uint8_t> doc = Bytes(std::string(300, 'd'));
    ASSERT_TRUE(a.SetFromBytes(doc.data(), doc.size(), u"doc.pdf", Time(2025, 1, 2)));
    Card withFile = card;
    ASSERT_GE(withFile.AddAttachment(a), 0);
    Card withTwo = withFile;
    ASSERT_GE(withTwo.AddAttachment(a), 0);

    std::vector<uint8_t> plain, one, two;
    ASSERT_EQ(BuildCardBody(card, *key, &plain), kCardOk);
    ASSERT_EQ(BuildCardBody(withFile, *key, &one), kCardOk);
    ASSERT_EQ(BuildCardBody(withTwo, *key, &two), kCardOk);
    const size_t fieldsEnd = plain.size();  // the attachment chunk starts here in the other two

    // Every prefix length: a cut only once the attachment's chunk header is in, and then it reads as
    // the whole body does.
    for (size_t have = 0; have <= one.size(); ++have) {
        std::vector<uint8_t> prefix(one.begin(), one.begin() + static_cast<long>(have));
        const size_t cut = BodyPrefixWithoutTrailingMedia(prefix.data(), have, one.size());
        if (have == one.size()) {
            EXPECT_EQ(cut, one.size());
        } else if (have < fieldsEnd + kChunkHeaderSize) {
            EXPECT_EQ(cut, 0u) << have;
        } else {
            ASSERT_EQ(cut, fieldsEnd + kChunkHeaderSize) << have;
            Card read = NewCard(key);
            ASSERT_EQ(ParseCardBody(read, prefix.data(), cut, *key, false), kCardOk);
            ASSERT_EQ(read.FieldCount(), 2u);
            EXPECT_EQ(read.FieldAt(1)->Value(), u"4711");
        }
    }
    // Another chunk after the attachment: the rest has to be read, unless that one is the chunk cut.
    std::vector<uint8_t> prefix(two.begin(), two.begin() + static_cast<long>(fieldsEnd + kChunkHeaderSize));
    EXPECT_EQ(BodyPrefixWithoutTrailingMedia(prefix.data(), prefix.size(), two.size()), 0u);
    prefix.assign(two.begin(), two.end() - 1);
    const size_t second = one.size() + kChunkHeaderSize;
    ASSERT_EQ(BodyPrefixWithoutTrailingMedia(prefix.data(), prefix.size(), two.size()), second);
    Card read = NewCard(key);
    EXPECT_EQ(ParseCardBody(read, prefix.data(), second, *key, false), kCardOk);
    EXPECT_EQ(read.FieldCount(), 2u);
    // A field chunk, or a chunk whose length runs past the body, is never cut.
    std::vector<uint8_t> bad = one;
    StoreU32(bad.data() + fieldsEnd + 4, kChunkField);
    EXPECT_EQ(BodyPrefixWithoutTrailingMedia(bad.data(), fieldsEnd + 20, bad.size()), 0u);
    bad = one;
    StoreU32(bad.data() + fieldsEnd + 8, static_cast<uint32_t>(one.size()));
    EXPECT_EQ(BodyPrefixWithoutTrailingMedia(bad.data(), fieldsEnd + 20, bad.size()), 0u);
}

TEST(CardBody, BodyLargerThanTheFileIsRefusedBeforeAllocating) {
    const auto key = TestKey();
    MemoryFileSystem fs;
    std::unique_ptr<File> file;
    fs.Open(u"w", FileMode::CreateNew, FileShare::None, &file);
    Card card = NewCard(key);
    card.AddField(FT_TEXT)->SetValue(u"x");
    ASSERT_EQ(WriteCard(card, *file, *key), kCardOk);
    card.Record().SetBodySize(0xFFFFFF00u);  // claims far more than the file holds
    file->Seek(ItemRecord::kSize);
    EXPECT_EQ(ReadCardBody(card, *file, *key), kCardIoFailed);
    card.Record().SetBodySize(63);
    file->Seek(ItemRecord::kSize);
    EXPECT_EQ(ReadCardBody(card, *file, *key), kCardNoRecord);
}

TEST(CardBody, RandomDamageNeverCrashes) {
    const auto key = TestKey();
    Card card = RichCard(key);
    std::vector<uint8_t> body;
    ASSERT_EQ(BuildCardBody(card, *key, &body), kCardOk);
    std::mt19937 rng(5);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> damaged = body;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) damaged[rng() % damaged.size()] = static_cast<uint8_t>(rng());
        if (rng() % 4 == 0) damaged.resize(rng() % damaged.size());
        std::unique_ptr<uint8_t[]> exact(new uint8_t[damaged.size() + 1]);
        std::copy(damaged.begin(), damaged.end(), exact.get());
        Card out = NewCard(key);
        if (ParseCardBody(out, exact.get(), damaged.size(), *key) == kCardOk) ++parsed;
    }
    EXPECT_GT(parsed, 0);
}

TEST(CardMedia, ImageSoundAndAttachmentFromBytes) {
    const uint8_t data[3] = {1, 2, 3};
    struct Case { const char16_t* path; int32_t format; };
    for (const Case& c : {Case{u"a.BMP", kImageBmp}, Case{u"x\\b.jpeg", kImageJpeg}, Case{u"c.Jpg", kImageJpeg},
                          Case{u"d.gif", kImageGif}, Case{u"e.png", kImageNone}, Case{u"noext", kImageNone}}) {
        CardImage image;
        ASSERT_TRUE(image.SetFromBytes(data, 3, c.path, 0));
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(image.position, kDefaultImagePosition);
    }
    CardImage image;
    image.position = 11;
    EXPECT_FALSE(image.SetFromBytes(data, 3, u"", 0));  // neither a path nor a format
    EXPECT_FALSE(image.SetFromBytes(data, 0, u"a.bmp", 0));
    ASSERT_TRUE(image.SetFromBytes(data, 3, u"", kImageJpeg));
    EXPECT_EQ(image.format, kImageJpeg);
    EXPECT_EQ(image.position, kDefaultImagePosition);
    image.position = 3;
    image.Clear();
    EXPECT_EQ(image.position, 3);  // clearing keeps the position

    CardSound sound;
    sound.playWhenViewed = 1;
    ASSERT_TRUE(sound.SetFromBytes(data, 3, u"\\Windows\\Alarm.WAV"));
    EXPECT_EQ(sound.format, kSoundWav);
    EXPECT_EQ(sound.playWhenViewed, 0);
    EXPECT_EQ(sound.fileName, u"Alarm.WAV");
    ASSERT_TRUE(sound.SetFromBytes(data, 3, u"tune.mid"));
    EXPECT_EQ(sound.format, kSoundOther);

    EXPECT_EQ(MediaFileNameOfPath(std::u16string(300, u'n')).size(), kMaxMediaFileName);
}

TEST(CardMedia, FromFiles) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tl5-h2-media";
    std::filesystem::create_directories(dir);
    const std::filesystem::path path = dir / "photo.jpg";
    { std::ofstream(path, std::ios::binary) << "jpeg bytes"; }
    const std::u16string upath = Utf8ToUtf16(path.string());
    CardImage image;
    ASSERT_TRUE(image.SetFromFile(OsFileSystem(), upath, 2));
    EXPECT_EQ(image.position, 2);
    EXPECT_EQ(image.format, kImageJpeg);
    EXPECT_EQ(image.fileName, u"photo.jpg");
    Attachment a;
    ASSERT_TRUE(a.SetFromFile(OsFileSystem(), upath));
    EXPECT_EQ(a.bytes.Size(), 10u);
    EXPECT_FALSE(a.fileTime.IsZero());
    EXPECT_FALSE(a.attachedAt.IsZero());
    EXPECT_FALSE(a.SetFromFile(OsFileSystem(), upath + u".missing"));
    { std::ofstream(dir / "empty.wav", std::ios::binary); }
    CardSoundPlayer player;
    EXPECT_FALSE(player.LoadFromFile(OsFileSystem(), Utf8ToUtf16((dir / "empty.wav").string()), true));
    EXPECT_FALSE(player.IsLoaded());
    ASSERT_TRUE(player.LoadFromFile(OsFileSystem(), upath, true));
    EXPECT_TRUE(player.IsLoaded());
    EXPECT_TRUE(player.PlayWhenViewed());
    EXPECT_EQ(player.FileName(), u"photo.jpg");
    player.Clear();
    EXPECT_FALSE(player.IsLoaded());
    EXPECT_FALSE(player.Play());
    std::filesystem::remove_all(dir);
}

TEST(CardMedia, OpenAttachmentWritesToDocumentsAndNeverOpensWallets) {
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "tl5-h2-home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    const std::u16string documents = (home / "Documents").u16string();
    ASSERT_TRUE(SetProcessEnvironment("TL5_DOCUMENTS", documents));
    SetLocalTimeSourceForTests([] { return Time(2026, 12, 9, 8, 0, 0); });
    std::vector<std::u16string> opened;
    SetShellOpenHookForTests([&](const std::u16string& p) { opened.push_back(p); return true; });

    const auto key = TestKey();
    Card card = NewCard(key);
    const std::vector<uint8_t> bytes = Bytes("attached");
    struct Case { const char16_t* name; const char* expectedFile; bool opens; };
    const Case cases[] = {
        {u"notes.txt", "20261209_notes.txt", true},
        {u"Backup.TL5", "20261209_Backup.TL5", false},
        {u"old.wal", "20261209_old.wal", false},
        {u"..", "20261209_attachment", true},
        {u"a:b*c?.txt", "20261209_a_b_c_.txt", true},
    };
    for (const Case& c : cases) {
        Attachment a;
        ASSERT_TRUE(a.SetFromBytes(bytes.data(), bytes.size(), u"x", SystemTime()));
        a.fileName = c.name;  // as a stored body may hold it
        card.SetAttachment(0, a);
        opened.clear();
        std::u16string written;
        EXPECT_EQ(OpenCardAttachment(card, 0, OsFileSystem(), &written), c.opens) << c.expectedFile;
        const std::filesystem::path expected = home / "Documents" / c.expectedFile;  // the folder is created
        EXPECT_EQ(written, documents + kPathSeparator + Utf8ToUtf16(c.expectedFile));
        std::ifstream in(expected, std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(content, "attached") << c.expectedFile;
        EXPECT_EQ(opened.size(), c.opens ? 1u : 0u);
    }
    EXPECT_FALSE(OpenCardAttachment(card, 5, OsFileSystem()));  // an empty slot
    // A stored name with folders cannot leave the documents folder.
    EXPECT_EQ(AttachmentOutputName(u"..\\..\\evil.exe", Time(2026, 1, 2)), u"20260102_evil.exe");
    EXPECT_EQ(AttachmentOutputName(u"../../evil", Time(2026, 1, 2)), u"20260102_evil");

    SetShellOpenHookForTests(nullptr);
    SetLocalTimeSourceForTests(nullptr);
    SetProcessEnvironment("TL5_DOCUMENTS", u"");
    std::filesystem::remove_all(home);
}
