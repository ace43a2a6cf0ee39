// A wallet built with tl5 alone (folders, cards of every field type, dates, choice lists, attachments,
// favourites, copies, forms and deletions) gives back with `tl5 show --json` exactly what was put in.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Tl5Run.h"
#include "model/Sha256.h"

namespace fs = std::filesystem;

namespace {

// ---- A small JSON reader for the tool's output ------------------------------------------------------
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    double n = 0;
    std::string s;
    std::vector<Json> a;
    std::vector<std::pair<std::string, Json>> o;

    const Json& operator[](const std::string& key) const {
        for (const auto& kv : o)
            if (kv.first == key) return kv.second;
        static const Json kMissing;
        ADD_FAILURE() << "no key " << key;
        return kMissing;
    }
    const Json& operator[](size_t i) const { return a.at(i); }
    bool IsNull() const { return kind == Null; }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : t_(text) {}
    bool Parse(Json* out) {
        if (!Value(out)) return false;
        Space();
        return p_ == t_.size();
    }

private:
    void Space() {
        while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_]))) ++p_;
    }
    bool Lit(const char* w) {
        const std::string word(w);
        if (t_.compare(p_, word.size(), word) != 0) return false;
        p_ += word.size();
        return true;
    }
    static void PutUtf8(std::string* s, unsigned c) {
        if (c < 0x80) {
            s->push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            s->push_back(static_cast<char>(0xC0 | (c >> 6)));
            s->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            s->push_back(static_cast<char>(0xE0 | (c >> 12)));
            s->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            s->push_back(static_cast<char>(0xF0 | (c >> 18)));
            s->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            s->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            s->push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    bool Str(std::string* s) {
        if (t_[p_] != '"') return false;
        ++p_;
        while (p_ < t_.size() && t_[p_] != '"') {
            char c = t_[p_++];
            if (c != '\\') {
                s->push_back(c);
                continue;
            }
            if (p_ >= t_.size()) return false;
            c = t_[p_++];
            switch (c) {
                case 'n': s->push_back('\n'); break;
                case 't': s->push_back('\t'); break;
                case 'r': s->push_back('\r'); break;
                case 'b': s->push_back('\b'); break;
                case 'f': s->push_back('\f'); break;
                case 'u': {
                    unsigned c1 = std::stoul(t_.substr(p_, 4), nullptr, 16);
                    p_ += 4;
                    if (c1 >= 0xD800 && c1 < 0xDC00 && t_.compare(p_, 2, "\\u") == 0) {
                        const unsigned c2 = std::stoul(t_.substr(p_ + 2, 4), nullptr, 16);
                        p_ += 6;
                        c1 = 0x10000 + ((c1 - 0xD800) << 10) + (c2 - 0xDC00);
                    }
                    PutUtf8(s, c1);
                    break;
                }
                default: s->push_back(c);
            }
        }
        if (p_ >= t_.size()) return false;
        ++p_;
        return true;
    }
    bool Value(Json* v) {
        Space();
        if (p_ >= t_.size()) return false;
        const char c = t_[p_];
        if (c == '{') {
            v->kind = Json::Object;
            ++p_;
            Space();
            if (t_[p_] == '}') return ++p_, true;
            for (;;) {
                Space();
                std::string key;
                if (!Str(&key)) return false;
                Space();
                if (t_[p_++] != ':') return false;
                Json item;
                if (!Value(&item)) return false;
                v->o.emplace_back(key, std::move(item));
                Space();
                if (t_[p_] == ',') { ++p_; continue; }
                if (t_[p_] == '}') return ++p_, true;
                return false;
            }
        }
        if (c == '[') {
            v->kind = Json::Array;
            ++p_;
            Space();
            if (t_[p_] == ']') return ++p_, true;
            for (;;) {
                Json item;
                if (!Value(&item)) return false;
                v->a.push_back(std::move(item));
                Space();
                if (t_[p_] == ',') { ++p_; continue; }
                if (t_[p_] == ']') return ++p_, true;
                return false;
            }
        }
        if (c == '"') {
            v->kind = Json::String;
            return Str(&v->s);
        }
        if (Lit("null")) return v->kind = Json::Null, true;
        if (Lit("true")) return v->kind = Json::Bool, v->b = true, true;
        if (Lit("false")) return v->kind = Json::Bool, v->b = false, true;
        size_t used = 0;
        v->kind = Json::Number;
        v->n = std::stod(t_.substr(p_), &used);
        p_ += used;
        return used > 0;
    }
    const std::string& t_;
    size_t p_ = 0;
};

// ---- Running the tool ------------------------------------------------------------------------------
struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q.push_back(c);
    }
    return q + "'";
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ItemCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tl5-h2-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        wallet = (dir / "wallet.tl5").string();
        ASSERT_EQ(Tl5({"create", wallet}).status, 0);
    }
    void TearDown() override { fs::remove_all(dir); }

    Result Tl5(const std::vector<std::string>& args, const std::string& input = "pass-word\n") {
        const fs::path in = dir / "stdin", out = dir / "stdout", err = dir / "stderr";
        { std::ofstream(in, std::ios::binary) << input; }
        std::string cmd = tl5clitest::Tl5Command(dir.string(), args);
        cmd += " <" + Quote(in.string()) + " >" + Quote(out.string()) + " 2>" + Quote(err.string());
        const int raw = std::system(cmd.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = tl5clitest::Tl5Output(ReadFile(out));
        r.err = tl5clitest::Tl5Output(ReadFile(err));
        return r;
    }
    // Runs and expects success; the first line of the output (an id, a slot).
    std::string Ok(const std::vector<std::string>& args) {
        const Result r = Tl5(args);
        EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
        return r.out.substr(0, r.out.find('\n'));
    }
    Json ShowJson(const std::string& item, bool reveal = true) {
        std::vector<std::string> args = {"show", wallet, item, "--json"};
        if (reveal) args.push_back("--reveal");
        const Result r = Tl5(args);
        EXPECT_EQ(r.status, 0) << r.err;
        Json j;
        EXPECT_TRUE(JsonReader(r.out).Parse(&j)) << r.out;
        return j;
    }

    fs::path dir;
    std::string wallet;
};

struct FieldCase {
    const char* type;
    int code;
    const char* name;
    const char* input;     // given to tl5 set ("" for none)
    const char* items;     // --items, or nullptr
    const char* value;     // expected "value"
    const char* datetime;  // expected "datetime", or nullptr for null
};

const FieldCase kFields[] = {
    {"text", 1, "Plain", "plain \xc3\xbcn\xc3\xaf" "c\xc3\xb6" "d\xc3\xa9 \xe2\x9c\x93 \xf0\x9f\x94\x91", nullptr,
     "plain \xc3\xbcn\xc3\xaf" "c\xc3\xb6" "d\xc3\xa9 \xe2\x9c\x93 \xf0\x9f\x94\x91", nullptr},
    {"url", 3, "Site", "https://example.org/login", nullptr, "https://example.org/login", nullptr},
    {"link", 4, "Link", "+44 20 7946 0000", nullptr, "+44 20 7946 0000", nullptr},
    {"email", 5, "Mail", "someone@example.org", nullptr, "someone@example.org", nullptr},
    {"phone", 6, "Phone", "555-0100", nullptr, "555-0100", nullptr},
    {"password", 7, "Secret", "s3cret \"quoted\" \\ back", nullptr, "s3cret \"quoted\" \\ back", nullptr},
    {"date", 8, "Born", "1999-02-28", nullptr, "", "1999-02-28"},
    {"time", 9, "Alarm", "07:45:30", nullptr, "", "07:45:30"},
    {"datetime", 10, "Flight", "2027-01-02T03:04:05", nullptr, "", "2027-01-02T03:04:05"},
    {"choice", 11, "Colour", "Green", "Red^Green^Blue", "Green", nullptr},
    {"list", 12, "Size", "", "Small^Large", "", nullptr},
    {"yesno", 13, "Active", "yes", nullptr, "1", nullptr},
    {"capfirst", 15, "Town", "Springfield", nullptr, "Springfield", nullptr},
    {"capwords", 16, "Full name", "Ada Lovelace", nullptr, "Ada Lovelace", nullptr},
};

}  // namespace

TEST_F(ItemCommands, AWalletBuiltWithTl5RoundTrips) {
    Ok({"new-folder", wallet, "/", "Personal"});
    Ok({"new-folder", wallet, "Personal", "Banking"});
    const std::string cardId = Ok({"new-card", wallet, "Personal", "--name", "Everything"});
    ASSERT_EQ(cardId.size(), 32u);
    for (const FieldCase& f : kFields) Ok({"add-field", wallet, "Personal/Everything", f.type, f.name});
    for (const FieldCase& f : kFields) {
        std::vector<std::string> args = {"set", wallet, cardId, f.name};
        if (f.input[0] || !f.items) args.push_back(f.input);
        if (f.items) {
            args.push_back("--items");
            args.push_back(f.items);
        }
        Ok(args);
    }
    // Attachments: binary content with zero bytes, and a second file.
    const std::string binary("\x00\x01\x02zero\x00bytes\xff", 13);
    { std::ofstream(dir / "blob.bin", std::ios::binary) << binary; }
    { std::ofstream(dir / "notes.txt", std::ios::binary) << "meeting notes"; }
    EXPECT_EQ(Ok({"attach", wallet, cardId, (dir / "blob.bin").string()}), "0");
    EXPECT_EQ(Ok({"attach", wallet, cardId, (dir / "notes.txt").string()}), "1");
    // A background image and a sound.
    const std::string picture("GIF89a\x01\x00picture", 15);
    const std::string wave("RIFF\x24\x00\x00\x00WAVEfmt ", 16);
    { std::ofstream(dir / "Back.GIF", std::ios::binary) << picture; }
    { std::ofstream(dir / "chime.wav", std::ios::binary) << wave; }
    Ok({"image", wallet, cardId, (dir / "Back.GIF").string(), "--position", "4"});
    Ok({"sound", wallet, cardId, (dir / "chime.wav").string(), "--play-when-viewed"});

    // A card from a built-in form with a PIN, and favourites.
    const std::string lockerId = Ok({"new-card", wallet, "Personal/Banking", "--form", "10", "--name", "Locker"});
    Ok({"set", wallet, "Personal/Banking/Locker", "1", "4711"});
    Ok({"fav", "add", wallet, cardId});
    Ok({"fav", "add", wallet, lockerId});
    EXPECT_EQ(Tl5({"fav", "add", wallet, lockerId}).status, 1);  // listed once

    // Copies, forms, renames, moves and deletions.
    const std::string copyId = Ok({"cp", wallet, cardId, "Personal/Banking"});
    Ok({"rename", wallet, copyId, "Spare"});
    Ok({"mv", wallet, "Personal/Banking/Spare", "Personal"});
    Ok({"rm-field", wallet, "Personal/Spare", "Plain"});
    const std::string formId = Ok({"save-as-form", wallet, cardId});
    const std::string fromFormId = Ok({"new-card", wallet, "Personal", "--form", "Everything"});
    Ok({"new-folder", wallet, "Personal", "Old"});
    Ok({"new-card", wallet, "Personal/Old", "--name", "Gone"});
    EXPECT_EQ(Tl5({"rm", wallet, "Personal/Old"}).status, 1);  // not empty
    Ok({"rm", wallet, "Personal/Old", "--recursive"});
    Ok({"fav", "rm", wallet, lockerId});

    // The card gives back exactly what was put in.
    const Json card = ShowJson(cardId);
    EXPECT_EQ(card["id"].s, cardId);
    EXPECT_EQ(card["name"].s, "Everything");
    ASSERT_EQ(card["head"].a.size(), 16u);
    EXPECT_EQ(card["head"][2].n, 0x00800000);  // the card view defaults of a new wallet
    const Json& fields = card["fields"];
    ASSERT_EQ(fields.a.size(), std::size(kFields));
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const FieldCase& f = kFields[i];
        const Json& j = fields[i];
        EXPECT_EQ(j["type"].n, f.code) << f.name;
        EXPECT_EQ(j["name"].s, f.name);
        EXPECT_EQ(j["value"].s, f.value) << f.name;
        if (f.datetime) {
            EXPECT_EQ(j["datetime"].s, f.datetime) << f.name;
        } else {
            EXPECT_TRUE(j["datetime"].IsNull()) << f.name;
        }
        std::string items;
        for (const Json& item : j["items"].a) items += (items.empty() ? "" : "^") + item.s;
        if (f.code == 11 || f.code == 12) {
            EXPECT_EQ(items, f.items) << f.name;
        } else {
            EXPECT_EQ(items, "") << f.name;
        }
        EXPECT_EQ(j["name_colour"].n, -1);
        EXPECT_EQ(j["data_colour"].n, -1);
    }
    const Json& image = card["image"];
    EXPECT_EQ(image["file_name"].s, "Back.GIF");
    EXPECT_EQ(image["format"].n, 3);
    EXPECT_EQ(image["position"].n, 4);
    EXPECT_EQ(image["size"].n, picture.size());
    EXPECT_EQ(image["sha256"].s, tl5::Sha256Hex(picture.data(), picture.size()));
    const Json& sound = card["sound"];
    EXPECT_EQ(sound["file_name"].s, "chime.wav");
    EXPECT_EQ(sound["format"].n, 1);
    EXPECT_TRUE(sound["play_when_viewed"].b);
    EXPECT_EQ(sound["size"].n, wave.size());
    EXPECT_EQ(sound["sha256"].s, tl5::Sha256Hex(wave.data(), wave.size()));
    const Json& attachments = card["attachments"];
    ASSERT_EQ(attachments.a.size(), 2u);
    EXPECT_EQ(attachments[0]["slot"].n, 0);
    EXPECT_EQ(attachments[0]["file_name"].s, "blob.bin");
    EXPECT_EQ(attachments[0]["size"].n, 13);
    EXPECT_EQ(attachments[0]["sha256"].s, tl5::Sha256Hex(binary.data(), binary.size()));
    EXPECT_FALSE(attachments[0]["file_time"].IsNull());
    EXPECT_FALSE(attachments[0]["attached_at"].IsNull());
    EXPECT_EQ(attachments[1]["file_name"].s, "notes.txt");

    // Passwords are masked unless asked for.
    const Json masked = ShowJson(cardId, false);
    EXPECT_EQ(masked["fields"][5]["value"].s, "********");
    const Result text = Tl5({"show", wallet, cardId});
    EXPECT_EQ(text.out.find("s3cret"), std::string::npos);
    EXPECT_NE(text.out.find("********"), std::string::npos);

    // The attachment comes back byte for byte.
    const fs::path extracted = dir / "out.bin";
    Ok({"extract", wallet, cardId, "blob.bin", "--out", extracted.string()});
    EXPECT_EQ(ReadFile(extracted), binary);
    EXPECT_EQ(Tl5({"extract", wallet, cardId, "0", "--out", extracted.string()}).status, 5);  // exists

    // The copy, the form and the card made from the form.
    const Json spare = ShowJson("Personal/Spare");
    EXPECT_EQ(spare["fields"].a.size(), std::size(kFields) - 1);
    EXPECT_EQ(spare["attachments"].a.size(), 2u);
    EXPECT_EQ(spare["image"]["file_name"].s, "Back.GIF");
    Ok({"image", wallet, "Personal/Spare", "--clear"});
    Ok({"sound", wallet, "Personal/Spare", "--clear"});
    const Json cleared = ShowJson("Personal/Spare");
    EXPECT_TRUE(cleared["image"].IsNull());
    EXPECT_TRUE(cleared["sound"].IsNull());
    const Json form = ShowJson(formId);
    EXPECT_EQ(form["name"].s, "Everything");
    for (const Json& f : form["fields"].a) {
        EXPECT_EQ(f["value"].s, "");
        EXPECT_TRUE(f["datetime"].IsNull());
    }
    EXPECT_EQ(form["fields"][9]["items"].a.size(), 3u);  // items stay on a form
    const Json fromForm = ShowJson(fromFormId);
    EXPECT_EQ(fromForm["name"].s, "Everything*");
    EXPECT_EQ(fromForm["fields"].a.size(), std::size(kFields));
    const Json locker = ShowJson(lockerId);
    EXPECT_EQ(locker["fields"].a.size(), 5u);
    EXPECT_EQ(locker["fields"][1]["type"].n, 7);
    EXPECT_EQ(locker["fields"][1]["value"].s, "4711");

    // Favourites, find and deletions as left.
    const Result favs = Tl5({"fav", "ls", wallet, "--json"});
    Json favJson;
    ASSERT_TRUE(JsonReader(favs.out).Parse(&favJson)) << favs.out;
    ASSERT_EQ(favJson.a.size(), 1u);
    EXPECT_EQ(favJson[0]["id"].s, cardId);
    EXPECT_EQ(favJson[0]["path"].s, "Personal/Everything");
    const Result found = Tl5({"find", wallet, "LOVELACE", "--json"});
    Json findJson;
    ASSERT_TRUE(JsonReader(found.out).Parse(&findJson)) << found.out;
    std::vector<std::string> paths;
    for (const Json& r : findJson["results"].a) paths.push_back(r["path"].s);
    EXPECT_EQ(paths, (std::vector<std::string>{"Personal/Everything", "Personal/Spare"}));
    EXPECT_EQ(Tl5({"show", wallet, "Personal/Old/Gone"}).status, 1);
    EXPECT_EQ(Tl5({"find", wallet, "Gone"}).status, 1);

    const Result check = Tl5({"check", wallet});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
}

TEST_F(ItemCommands, MistakesAreRefused) {
    Ok({"new-folder", wallet, "/", "F"});
    const std::string id = Ok({"new-card", wallet, "F", "--name", "C"});
    Ok({"add-field", wallet, id, "date", "When"});
    Ok({"add-field", wallet, id, "yesno", "Flag"});
    struct Case { std::vector<std::string> args; int status; };
    const Case cases[] = {
        {{"show", wallet, "F/missing"}, 1},
        {{"show", wallet, "F"}, 1},                                      // a folder is not a card
        {{"set", wallet, id, "When", "2026-02-30"}, 2},                  // no such day
        {{"set", wallet, id, "When", "09.12.2026"}, 2},
        {{"set", wallet, id, "Flag", "maybe"}, 2},
        {{"set", wallet, id, "When", "2026-01-01", "--items", "a^b"}, 2},  // not a list
        {{"set", wallet, id, "Nope", "x"}, 1},
        {{"add-field", wallet, id, "colour", "X"}, 2},
        {{"mv", wallet, "F", "F"}, 1},                                   // into itself
        {{"rm", wallet, "My Forms"}, 1},
        {{"cp", wallet, "F", "F"}, 1},                                   // folders are not copied
        {{"new-card", wallet, "F", "--form", "43"}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tl5(c.args).status, c.status) << c.args[0] << " " << c.args.back();
    }
    EXPECT_EQ(Tl5({"show", wallet, id}, "wrong-password\n").status, 4);
    // The eleventh attachment is refused.
    { std::ofstream(dir / "a.txt") << "a"; }
    for (int i = 0; i < 10; ++i) Ok({"attach", wallet, id, (dir / "a.txt").string()});
    EXPECT_EQ(Tl5({"attach", wallet, id, (dir / "a.txt").string()}).status, 1);
    // A yes/no field can be emptied again, and a date cleared.
    Ok({"set", wallet, id, "Flag", ""});
    Ok({"set", wallet, id, "When", ""});
    const Json card = ShowJson(id);
    EXPECT_EQ(card["fields"][0]["datetime"].kind, Json::Null);
    EXPECT_EQ(card["fields"][1]["value"].s, "2");
}
