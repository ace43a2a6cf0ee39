#include "exchange/LegacyConversion.h"

#include <memory>
#include <new>

#include "exchange/ExchangeNames.h"
#include "exchange/LegacyWallet.h"
#include "model/BuiltInForm.h"
#include "model/Card.h"
#include "model/Wallet.h"
#include "platform/ExchangeServices.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// One template of the form a legacy card was made with, built-in or custom.
struct TemplateRef {
    int32_t key;
    uint32_t kind;
    bool pin;
    std::u16string name;
};

uint16_t LegacyFieldType(uint32_t kind, bool pin) {
    if (pin) return FT_PASSWORD;
    switch (kind) {
        case TLF_DEFAULT: return FT_TEXT;
        case TLF_URL: return FT_URL;
        case TLF_TEL: return FT_PHONE;
        case TLF_EMAIL: return FT_EMAIL;
        default: return FT_TEXT_CAPFIRST;  // upper-case, date, time, yes/no, link and the rest keep their text
    }
}

bool FormTemplates(int32_t formKey, const CustomFormDefinitions& defs, std::vector<TemplateRef>* out) {
    out->clear();
    if (formKey >= 0) {
        if (const BuiltInForm* form = BuiltInFormByKey(static_cast<uint32_t>(formKey))) {
            for (uint32_t i = 0; i < form->fieldCount; ++i) {
                const FieldTemplate& t = form->fields[i];
                out->push_back({static_cast<int32_t>(t.key), t.kind, t.pin, ExchangeString(t.labelString)});
            }
            return true;
        }
    }
    if (const CustomFormDef* form = defs.Find(formKey)) {
        for (const CustomFormFieldDef& f : form->fields) {
            out->push_back({f.key, static_cast<uint32_t>(f.templateKind), f.pin, f.name});
        }
        return true;
    }
    return false;
}

// Fills a new empty card with the contents of a legacy card.
void BuildCard(const LegacyCard& legacy, const std::string& data, bool hasData, const CustomFormDefinitions& defs,
               Card& card) {
    const LegacyTagList tags(reinterpret_cast<const uint8_t*>(data.data()), data.size());
    std::vector<TemplateRef> templates;
    if (FormTemplates(legacy.formKey, defs, &templates)) {
        card.Record().SetIcon(legacy.icon);
        for (const TemplateRef& t : templates) {
            Field* field = card.AddField(LegacyFieldType(t.kind, t.pin));
            if (field == nullptr) break;
            if (hasData) {
                std::u16string value = tags.Text(static_cast<uint32_t>(t.key));
                if (!value.empty()) field->SetValue(value);
                SecureZero(value);
            }
            if (!t.name.empty()) field->SetName(t.name);
        }
        if (hasData) {
            std::u16string notes = tags.Text(kLegacyTagNotes);
            if (!notes.empty()) {
                if (Field* field = card.AddField(FT_TEXT_CAPFIRST)) {
                    field->SetValue(notes);
                    field->SetName(ExchangeString(kStrNotesFieldName));
                }
            }
            SecureZero(notes);
        }
    }
    if (!hasData) return;
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    uint32_t format = 0;
    if (legacy.imageWord != 0 && tags.Value(kLegacyTagImageFormat, &format) && format >= 1 && format <= 3 &&
        tags.Find(kLegacyTagImage, &bytes, &size)) {
        static constexpr int32_t kFormats[4] = {kImageNone, kImageBmp, kImageGif, kImageJpeg};
        CardImage image;
        if (image.SetFromBytes(bytes, size, std::u16string_view(), kFormats[format])) {
            // Stored as every media name is, without the old device's folder ("C:\pics\dog.gif").
            image.fileName = FileNameOf(tags.Text(kLegacyTagImageName)).substr(0, kMaxMediaFileName);
            card.SetImage(std::move(image));
        }
    }
    if ((legacy.soundFlags & 1) != 0 && tags.Find(kLegacyTagSound, &bytes, &size)) {
        CardSound sound;
        if (sound.SetFromBytes(bytes, size, tags.Text(kLegacyTagSoundName))) card.SetSound(std::move(sound));
    }
    CardHead& head = card.Head();
    head.words[CardHead::kNamesBold] = (legacy.boldFlags & 2) ? 1 : 0;
    head.words[CardHead::kDataBold] = (legacy.boldFlags & 1) ? 1 : 0;
    head.words[CardHead::kDataColour] = legacy.textColour;
    head.words[CardHead::kNameColour] = legacy.textColour;
    head.words[CardHead::kBackgroundColour] = legacy.backgroundColour;
}

}  // namespace

const char* LegacyConversionResultText(int code) {
    switch (code) {
        case kConvertOk: return "converted";
        case kConvertMissingArgument: return "a path or the password is missing";
        case kConvertWrongPassword: return "wrong password";
        case kConvertCannotOpen: return "the legacy file cannot be opened";
        case kConvertNotLegacy: return "not a legacy wallet, or its records are damaged";
        case kConvertNoMemory: return "out of memory";
        case kConvertExists: return "a file with the new name exists already";
        case kConvertCannotCreate: return "the new wallet cannot be created or written";
        case kConvertNoFolders: return "the legacy wallet holds no folder";
        case kConvertNoDefinitions: return "no readable custom form definition file was found";
        default: return "unknown result";
    }
}

std::u16string LegacyConversionTempPath(const std::u16string& newPath) {
    std::u16string path = newPath;
    if (!path.empty()) path.back() = u'~';  // as long as the final path, so it fits where that fits
    return path;
}

std::u16string LegacyConvertedPath(const std::u16string& legacyPath) {
    const std::u16string name = FileNameOf(legacyPath);
    const size_t dot = name.rfind(u'.');
    std::u16string out = legacyPath;
    if (dot != std::u16string::npos) out.resize(legacyPath.size() - (name.size() - dot));
    return out + u".tl5";
}

bool FindCustomFormDefinitions(FileSystem& fs, const std::u16string& fileName, const std::u16string& givenPath,
                               CustomFormDefinitions& defs) {
    if (!givenPath.empty()) return LoadCustomFormDefinitions(fs, givenPath, defs);
    if (fileName.empty()) return false;
    const std::u16string program = ProgramFolder();
    if (!program.empty() && LoadCustomFormDefinitions(fs, program + fileName, defs)) return true;
    const std::u16string registered = LegacyRegisteredFolder();
    return !registered.empty() && LoadCustomFormDefinitions(fs, registered + fileName, defs);
}

int ConvertLegacyWallet(FileSystem& fs, const std::u16string& legacyPath, const std::u16string& password,
                        std::u16string* newPath, const std::u16string& definitionsPath) {
    if (legacyPath.empty() || password.empty() || newPath == nullptr) return kConvertMissingArgument;
    try {
        // The legacy file is only ever read.
        std::unique_ptr<File> legacy;
        if (fs.Open(legacyPath, FileMode::OpenReadOnly, FileShare::Read, &legacy) != kFileOk) return kConvertCannotOpen;
        LegacyHeader header;
        if (ReadLegacyHeader(*legacy, &header) != 0) return kConvertNotLegacy;
        uint8_t key[16] = {};
        if (!LegacyRecordKey(header, password, key)) return kConvertWrongPassword;
        struct KeyWipe {
            uint8_t* k;
            ~KeyWipe() { SecureZero(k, 16); }
        } wipe{key};

        CustomFormDefinitions defs;
        if (header.customFormsInUse &&
            !FindCustomFormDefinitions(fs, header.definitionFileName, definitionsPath, defs)) {
            return kConvertNoDefinitions;
        }
        // Every record is checked before anything is written: a damaged legacy file converts not at all.
        LegacyRecords records;
        if (ReadLegacyRecords(*legacy, &records) != 0) return kConvertNotLegacy;

        // The new wallet is built under a name of its own beside the final one and renamed into place
        // once it is complete and flushed: a conversion killed at any point leaves no wallet under
        // the final name, or the complete one. What a killed conversion left is removed by the next.
        *newPath = LegacyConvertedPath(legacyPath);
        if (fs.Exists(*newPath)) return kConvertExists;
        const std::u16string building = LegacyConversionTempPath(*newPath);
        if (fs.Exists(building) && fs.Remove(building) != kFileOk) return kConvertCannotCreate;
        Wallet wallet(fs);
        const int created = wallet.Create(building, password, u"", false);
        if (created != kCreateOk) return kConvertCannotCreate;

        auto failAndRemove = [&]() -> int {
            wallet.Close(false);
            fs.Remove(building);
            return kConvertCannotCreate;
        };
        // A legacy file without folders still gives its (empty) new wallet.
        auto putInPlace = [&](int result) -> int {
            if (fs.Exists(*newPath)) {
                fs.Remove(building);
                return kConvertExists;
            }
            if (fs.Rename(building, *newPath) != kFileOk) {
                fs.Remove(building);
                return kConvertCannotCreate;
            }
            return fs.FlushFolder(*newPath) ? result : kConvertCannotCreate;
        };
        if (records.folders.empty()) return putInPlace(kConvertNoFolders);
        if (wallet.Open(building, &password, false) != kOpenOk) return failAndRemove();
        // The new wallet is not in use until the conversion has finished, and a failure removes it:
        // a journal per saved item would protect nothing and costs two flushes per card. One flush
        // at the end makes the whole wallet durable.
        wallet.SetJournalEnabled(false);
        const std::shared_ptr<const CipherKey> recordKey = wallet.RecordKey();
        const CardHead defaults = CardHead::FromBytes(wallet.Settings().CardHeadDefaults());

        for (const LegacyFolder& lf : records.folders) {
            ItemRecord folder;
            folder.SetKey(recordKey);
            folder.CreateAsFolder(ItemId());
            folder.SetName(lf.name);
            folder.SetIcon(lf.icon);
            FormId form;
            const int number = lf.defaultFormKey >= 0 ? BuiltInFormNumberOfKey(static_cast<uint32_t>(lf.defaultFormKey)) : -1;
            FormId::ForBuiltIn(number >= 0 ? number : 0, &form);
            folder.SetDefaultForm(form);
            if (wallet.AppendFolderRecord(&folder, true) < 0) return failAndRemove();
            const ItemId folderId = folder.Id();

            for (const LegacyCard& lc : records.cards) {
                if (lc.folderKey != lf.key) continue;
                ItemRecord record;
                record.SetKey(recordKey);
                record.CreateAsCard(folderId);
                record.SetName(lc.name);
                Card card(record);
                card.Head() = defaults;
                std::string data;
                const bool hasData = lc.dataLength != 0 && ReadLegacyCardData(*legacy, lc, key, &data) && !data.empty();
                BuildCard(lc, data, hasData, defs, card);
                SecureZero(data);
                if (wallet.AppendCard(&card, false) < 0) return failAndRemove();
            }
        }
        if (wallet.SaveFixedBlocks() != 0 || wallet.FileHandle() == nullptr || !wallet.FileHandle()->Flush()) {
            return failAndRemove();
        }
        if (wallet.Close(true) != kCloseOk) {
            fs.Remove(building);
            return kConvertCannotCreate;
        }
        return putInPlace(kConvertOk);
    } catch (const std::bad_alloc&) {
        return kConvertNoMemory;
    }
}

}  // namespace tl5
