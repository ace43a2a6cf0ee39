#include "model/WalletItems.h"

#include <algorithm>
#include <new>

#include "model/BuiltInForm.h"
#include "model/CardBody.h"
#include "model/CaseFold.h"
#include "model/LittleEndian.h"
#include "model/RecordScanner.h"
#include "model/Wallet.h"
#include "model/WalletBlocks.h"
#include "platform/SecureZero.h"
#include "resources/StringTable.h"

namespace tl5 {

namespace {

constexpr size_t kMaxCopyNameChars = 254;

bool ValidIndex(const Wallet& wallet, int index) {
    return wallet.IsOpen() && index >= 0 && static_cast<size_t>(index) < wallet.ItemCount();
}

bool IsLiveCard(const ItemRecord& r) { return r.Kind() == kItemKindCard && !r.IsDeleted(); }

const char16_t* ModelText(uint32_t id) {
    const char16_t* text = StringTableLookup(id);
    return text ? text : u"?";
}

// "<name>*" with the name cut to 254 characters.
std::u16string CopyName(const std::u16string& name) {
    std::u16string out = name.substr(0, kMaxCopyNameChars);
    out.push_back(u'*');
    return out;
}

// The index of the live card in My Forms whose id is the form's.
int MyFormsCardIndex(const Wallet& wallet, const FormId& form) {
    const ItemId id = form.AsItemId();
    for (size_t i = 0; i < wallet.ItemCount(); ++i) {
        const ItemRecord& r = wallet.ItemAt(i);
        if (!IsLiveCard(r) || !(r.Id() == id)) continue;
        const ItemId parent = r.Parent();
        for (size_t j = 0; j < wallet.ItemCount(); ++j) {
            const ItemRecord& p = wallet.ItemAt(j);
            if (p.Id() == parent && p.IsMyFormsFolder() && !p.IsDeleted()) return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

// ---- Lookups -----------------------------------------------------------------------------------------

ItemRecord* RecordOfId(Wallet& wallet, const ItemId& id, int* index) {
    const int i = wallet.IsOpen() ? wallet.IndexOf(id) : -1;
    if (index) *index = i;
    return i < 0 ? nullptr : &wallet.ItemAt(static_cast<size_t>(i));
}

int KindOfIndex(const Wallet& wallet, uint32_t index) {
    if (index == kSpecialNodeFavorites) return kKindFavoritesNode;
    if (index == kSpecialNodeFindResults) return kKindFindResultsNode;
    if (index == kSpecialNodeThird) return kKindThirdNode;
    if (index >= wallet.ItemCount()) return 0;
    return wallet.ItemAt(index).Kind();
}

ItemRecord* ParentEntryOf(Wallet& wallet, int index) {
    if (!ValidIndex(wallet, index)) return nullptr;
    const ItemId parent = wallet.ItemAt(static_cast<size_t>(index)).Parent();
    if (parent.IsNull()) return nullptr;
    return RecordOfId(wallet, parent, nullptr);
}

int ParentFolderIndexOf(const Wallet& wallet, int index) {
    if (!ValidIndex(wallet, index)) return -1;
    const ItemId parent = wallet.ItemAt(static_cast<size_t>(index)).Parent();
    if (parent.IsNull()) return -1;
    for (size_t i = 0; i < wallet.ItemCount(); ++i) {
        if (static_cast<int>(i) == index) continue;
        const ItemRecord& r = wallet.ItemAt(i);
        if (r.IsFolderLike() && r.Id() == parent) return static_cast<int>(i);
    }
    return -1;
}

ItemRecord* MyFormsFolder(Wallet& wallet) {
    const int i = wallet.IsOpen() ? wallet.MyFormsIndex() : -1;
    return i < 0 ? nullptr : &wallet.ItemAt(static_cast<size_t>(i));
}

bool CopyOfFolder(Wallet& wallet, const ItemId& id, ItemRecord* copy) {
    ItemRecord* r = RecordOfId(wallet, id, nullptr);
    if (!r || !r->IsFolderLike()) return false;
    *copy = *r;
    return copy->UseOwnKeyCopy();
}

bool FormName(const Wallet& wallet, const FormId& form, std::u16string* name, size_t maxChars) {
    int number = 0;
    if (form.IsBuiltIn(&number)) {
        const BuiltInForm* f = BuiltInFormByNumber(number);
        if (!f) return false;
        *name = ModelText(f->nameString);
    } else {
        const int i = MyFormsCardIndex(wallet, form);
        if (i < 0) return false;
        *name = wallet.ItemAt(static_cast<size_t>(i)).Name();
    }
    if (name->size() > maxChars) name->resize(maxChars);
    return true;
}

// ---- Changes -----------------------------------------------------------------------------------------

bool NewFolder(Wallet& wallet, const ItemId& parent, bool myForms, ItemRecord* record) {
    if (!wallet.IsOpen() || !record) return false;
    record->Reset();
    record->SetKey(wallet.RecordKey());
    if (myForms) {
        record->CreateAsMyFormsFolder();
    } else {
        record->CreateAsFolder(parent);
    }
    return true;
}

std::unique_ptr<Card> NewEmptyCard(Wallet& wallet, const ItemId& parent) {
    if (!wallet.IsOpen()) return nullptr;
    try {
        ItemRecord record;
        record.SetKey(wallet.RecordKey());
        record.CreateAsCard(parent);
        auto card = std::make_unique<Card>(record);
        card->Head() = CardHead::FromBytes(wallet.Settings().CardHeadDefaults());
        return card;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Card> NewCardFromForm(Wallet& wallet, const ItemId& parent, const FormId& form) {
    if (!wallet.IsOpen()) return nullptr;
    int number = 0;
    if (form.IsBuiltIn(&number)) {
        const BuiltInForm* f = BuiltInFormByNumber(number);
        if (!f) return nullptr;
        std::unique_ptr<Card> card = NewEmptyCard(wallet, parent);
        if (!card) return nullptr;
        card->Record().SetName(ModelText(kStringNewCardName));
        card->Record().SetIcon(f->icon);
        for (uint32_t i = 0; i < f->fieldCount; ++i) {
            const FieldTemplate& t = f->fields[i];
            Field* field = card->AddField(FieldTypeForTemplate(t.kind, t.pin));
            if (!field) return nullptr;
            field->SetName(ModelText(t.labelString));
        }
        return card;
    }
    const int formIndex = MyFormsCardIndex(wallet, form);
    if (formIndex < 0) return nullptr;
    std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(formIndex));
    if (!card) return nullptr;
    const std::u16string name = card->Record().Name();
    card->Record().RecreateAsCardCopy(parent);
    card->Record().SetName(CopyName(name));
    return card;
}

int RenameItem(Wallet& wallet, int index, std::u16string_view name) {
    if (!ValidIndex(wallet, index) || wallet.IsReadOnly()) return 0;
    ItemRecord& entry = wallet.ItemAt(static_cast<size_t>(index));
    if (entry.IsDeleted()) return 0;
    ItemRecord changed = entry;
    if (!changed.SetName(name)) return 0;
    if (wallet.RewriteRecordInPlace(changed) != 1) return 0;
    entry = changed;
    return 1;
}

int MoveItem(Wallet& wallet, int index, int targetIndex) {
    if (!ValidIndex(wallet, index) || !ValidIndex(wallet, targetIndex) || wallet.IsReadOnly()) return 0;
    ItemRecord& entry = wallet.ItemAt(static_cast<size_t>(index));
    if (entry.IsDeleted()) return 0;
    ItemRecord changed = entry;
    if (!changed.SetParent(wallet.ItemAt(static_cast<size_t>(targetIndex)).Id())) return 0;
    if (wallet.RewriteRecordInPlace(changed) != 1) return 0;
    entry = changed;
    return 1;
}

int CopyCard(Wallet& wallet, int cardIndex, int folderIndex) {
    if (!ValidIndex(wallet, cardIndex) || !ValidIndex(wallet, folderIndex) || wallet.IsReadOnly()) return -1;
    const ItemRecord& source = wallet.ItemAt(static_cast<size_t>(cardIndex));
    const ItemRecord& folder = wallet.ItemAt(static_cast<size_t>(folderIndex));
    if (!IsLiveCard(source) || folder.Kind() == kItemKindCard || folder.IsDeleted()) return -1;
    const ItemId folderId = folder.Id();
    std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(cardIndex));
    if (!card) return -1;
    const std::u16string name = card->Record().Name();
    card->Record().RecreateAsCardCopy(folderId);
    card->Record().SetName(CopyName(name));
    return wallet.AppendCard(card.get(), false);
}

int SaveToMyForms(Wallet& wallet, int cardIndex) {
    if (!ValidIndex(wallet, cardIndex) || wallet.IsReadOnly()) return -1;
    if (!IsLiveCard(wallet.ItemAt(static_cast<size_t>(cardIndex)))) return -1;
    const ItemRecord* myForms = MyFormsFolder(wallet);
    if (!myForms) return -1;
    const ItemId myFormsId = myForms->Id();
    std::unique_ptr<Card> card = wallet.LoadCard(static_cast<size_t>(cardIndex));
    if (!card) return -1;
    card->Record().RecreateAsCardCopy(myFormsId);
    for (Field& f : card->Fields()) f.ClearValue();
    return wallet.AppendCard(card.get(), false);
}

int DeleteItem(Wallet& wallet, int index) {
    if (!ValidIndex(wallet, index) || wallet.IsReadOnly()) return 0;
    const ItemId id = wallet.ItemAt(static_cast<size_t>(index)).Id();
    // The file first: when the tombstone cannot be written the item stays as it was everywhere.
    if (wallet.MarkDeletedInFile(id) != 1) return 0;
    wallet.Settings().RemoveFavorite(id);
    RemoveFindResult(wallet, index);
    ItemRecord& entry = wallet.ItemAt(static_cast<size_t>(index));
    if (!entry.IsDeleted()) entry.SetDeleted(true);
    return 1;
}

// ---- Header and settings -----------------------------------------------------------------------------

bool GetHint(const Wallet& wallet, std::u16string* hint) {
    if (!wallet.Header().HasHint()) {
        hint->clear();
        return false;
    }
    *hint = wallet.Header().Hint();
    return true;
}

bool SetHint(Wallet& wallet, std::u16string_view hint) { return wallet.Header().SetHint(hint); }

bool GetNodeLabel(const Wallet& wallet, int node, std::u16string* label, int32_t* icon) {
    if (node < 1 || node > 3) return false;
    if (icon) *icon = wallet.Header().NodeIcon(node);
    if (label) *label = wallet.Header().Label(node);
    return true;
}

bool SetNodeLabel(Wallet& wallet, int node, std::u16string_view label, int32_t icon) {
    if (node < 1 || node > 3) return false;
    if (icon != -1) wallet.Header().SetNodeIcon(node, icon);
    return wallet.Header().SetLabel(node, label);
}

uint32_t GetAutoCloseMinutes(const Wallet& wallet) { return wallet.Settings().AutoCloseMinutes(); }
bool SetAutoCloseMinutes(Wallet& wallet, uint32_t minutes) { return wallet.Settings().SetAutoCloseMinutes(minutes); }
bool GetCloseOnSwitch(const Wallet& wallet) { return wallet.Settings().CloseOnSwitch(); }

int FavoriteCount(const Wallet& wallet) { return wallet.Settings().FavoriteCount(); }
ItemId FavoriteAt(const Wallet& wallet, int position) {
    if (position < 0 || position >= FavoriteCount(wallet)) return ItemId();
    return wallet.Settings().FavoriteAt(position);
}
bool IsFavorite(const Wallet& wallet, const ItemId& id) { return wallet.Settings().IsFavorite(id); }
bool AddFavorite(Wallet& wallet, const ItemId& id) { return wallet.Settings().AddFavorite(id); }
bool RemoveFavorite(Wallet& wallet, const ItemId& id) { return wallet.Settings().RemoveFavorite(id); }
void ClearFavorites(Wallet& wallet) {
    while (wallet.Settings().FavoriteCount() > 0) {
        if (!wallet.Settings().RemoveFavorite(wallet.Settings().FavoriteAt(0))) break;
    }
    wallet.Settings().MarkChanged(kFavoritesChanged);
}

// ---- Find --------------------------------------------------------------------------------------------

namespace {

// Searches the decrypted texts of one card. Scratch buffers are kept between cards and wiped at the end.
class CardMatcher {
public:
    CardMatcher(const CipherKey& key, std::u16string needle, bool names)
        : key_(key), needle_(std::move(needle)), names_(names) {}
    ~CardMatcher() {
        SecureZero(text_);
        SecureZero(nameBytes_, sizeof nameBytes_);
        SecureZero(body_);
    }

    bool NameMatches(const ItemRecord& record) {
        const uint8_t* slot = record.Raw() + ItemRecord::kOffName;
        bool zero = true;
        for (size_t i = 0; i < ItemRecord::kNameSlotSize && zero; ++i) zero = slot[i] == 0;
        if (zero) return false;
        key_.Decrypt(slot, ItemRecord::kNameSlotSize, nameBytes_);
        char16_t name[kFindNameChars];
        size_t n = 0;
        for (; n < kFindNameChars; ++n) {
            const char16_t c = static_cast<char16_t>(nameBytes_[2 * n] | (nameBytes_[2 * n + 1] << 8));
            if (c == 0) break;
            name[n] = FoldCase(c);
        }
        const bool found = Contains(std::u16string_view(name, n));
        SecureZero(name, sizeof name);
        return found;
    }

    // 1 when a field matches, 0 when none does, -1 when the body cannot be read.
    int BodyMatches(RecordScanner& scanner) {
        if (scanner.BodySize() < CardHead::kSize || !scanner.BodyFits()) return -1;
        if (scanner.ReadBody(&body_) != kBlockOk || body_.size() < CardHead::kSize) return -1;
        bool matched = false;
        const bool walked = WalkChunks(body_.data() + CardHead::kSize, body_.size() - CardHead::kSize,
                                       [&](uint32_t type, const uint8_t* data, size_t length) -> int {
            if (type != kChunkField || length < kFieldHeaderSize) return 0;
            const int r = FieldMatches(data, length);
            if (r < 0) return -1;
            if (r > 0) {
                matched = true;
                return 1;
            }
            return 0;
        });
        if (matched) return 1;
        return walked ? 0 : -1;
    }

private:
    bool Contains(std::u16string_view folded) const {
        return folded.size() >= needle_.size() && folded.find(needle_) != std::u16string_view::npos;
    }

    // Decrypts a text piece, folds it and looks for the needle: 1 found, 0 not, -1 damaged.
    int PieceMatches(const uint8_t* chunk, size_t offset, size_t end, uint32_t size, uint32_t padding) {
        if (!DecryptTextPiece(chunk, offset, end, size, padding, key_, &text_, kFindFieldChars)) return -1;
        FoldCaseInPlace(text_.data(), text_.size());
        return Contains(text_) ? 1 : 0;
    }

    int FieldMatches(const uint8_t* data, size_t size) {
        const uint16_t type = LoadU16(data);
        const uint32_t nameSize = LoadU32(data + 16), namePadding = LoadU32(data + 20);
        const uint32_t valueSize = LoadU32(data + 40), valuePadding = LoadU32(data + 44);
        size_t pos = kFieldHeaderSize;
        if (nameSize != 0) {
            if (names_) {
                const int r = PieceMatches(data, pos, size, nameSize, namePadding);
                if (r != 0) return r;
            } else if (nameSize > size - pos) {
                return -1;
            }
            pos += nameSize;
        }
        if (IsDateTimeType(type)) {
            text_ = FormatFieldDateTime(LoadSystemTime(data + 24), type);
            FoldCaseInPlace(text_.data(), text_.size());
            return Contains(text_) ? 1 : 0;
        }
        if (pos >= size || valueSize == 0) return 0;
        if (type == FT_YESNO) {
            if (!DecryptTextPiece(data, pos, size, valueSize, valuePadding, key_, &text_, 4)) return -1;
            const uint32_t id = text_ == u"1" ? kStringYes : text_ == u"0" ? kStringNo : 0;
            if (id == 0) return 0;
            const char16_t* shown = StringTableLookup(id);
            text_ = shown ? shown : u"";
            FoldCaseInPlace(text_.data(), text_.size());
            return Contains(text_) ? 1 : 0;
        }
        return PieceMatches(data, pos, size, valueSize, valuePadding);
    }

    const CipherKey& key_;
    std::u16string needle_;
    bool names_;
    std::u16string text_;
    uint8_t nameBytes_[ItemRecord::kNameSlotSize];
    std::vector<uint8_t> body_;
};

}  // namespace

int FindCards(Wallet& wallet, std::u16string_view text, bool searchFieldNames) {
    std::vector<int>& results = wallet.FindResults();
    results.clear();
    if (!wallet.IsOpen() || !wallet.FileHandle()) return 0;
    size_t start = 0;
    while (start < text.size() && text[start] == u' ') ++start;
    std::u16string_view needleView = text.substr(start, kFindTextChars);
    while (!needleView.empty() && needleView.back() == u' ') needleView.remove_suffix(1);
    if (needleView.size() < 2) return 0;
    const std::shared_ptr<const CipherKey> key = wallet.RecordKey();
    if (!key || !key->IsKeyed()) return 0;
    try {
        std::u16string needle(needleView);
        FoldCaseInPlace(needle.data(), needle.size());
        CardMatcher matcher(*key, std::move(needle), searchFieldNames);
        RecordScanner scanner(*wallet.FileHandle(), kFirstRecordOffset);
        ItemRecord record;
        while (results.size() < static_cast<size_t>(kMaxFindResults)) {
            if (scanner.Next(&record, false) != kBlockOk) break;
            if (record.Kind() != kItemKindCard || record.IsDeleted()) continue;
            bool matched = matcher.NameMatches(record);
            if (!matched) matched = matcher.BodyMatches(scanner) == 1;
            if (!matched) continue;
            const int index = wallet.IndexOf(record.Id());
            if (index >= 0) results.push_back(index);
        }
    } catch (const std::bad_alloc&) {
        // out of memory: the results found so far stand
    }
    if (!results.empty()) wallet.FindText().assign(text.substr(0, kMaxFindTextLength));
    return static_cast<int>(results.size());
}

int FindResultCount(Wallet& wallet) { return static_cast<int>(wallet.FindResults().size()); }

int FindResultIndex(Wallet& wallet, int i) {
    const std::vector<int>& r = wallet.FindResults();
    return (i >= 0 && static_cast<size_t>(i) < r.size()) ? r[static_cast<size_t>(i)] : -1;
}

ItemRecord* FindResultRecord(Wallet& wallet, int i) {
    const int index = FindResultIndex(wallet, i);
    return ValidIndex(wallet, index) ? &wallet.ItemAt(static_cast<size_t>(index)) : nullptr;
}

bool RemoveFindResult(Wallet& wallet, int tableIndex) {
    std::vector<int>& r = wallet.FindResults();
    const auto it = std::find(r.begin(), r.end(), tableIndex);
    if (it == r.end()) return false;
    r.erase(it);
    return true;
}

void ClearFindResults(Wallet& wallet) { wallet.FindResults().clear(); }

}  // namespace tl5
