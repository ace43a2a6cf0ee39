// Identifiers of items and forms, item kinds, the special tree nodes and the change flag bits.
#pragma once

#include <compare>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tl5 {

// 16 bytes that identify one folder, card or the My Forms folder for the life of the wallet. The
// all-zero value is the null identifier ("none"; as a parent: the item is at the top level).
struct ItemId {
    uint8_t bytes[16] = {};

    static ItemId FromBytes(const uint8_t* p) {
        ItemId id;
        std::memcpy(id.bytes, p, 16);
        return id;
    }
    bool IsNull() const {
        for (uint8_t b : bytes)
            if (b) return false;
        return true;
    }
    // 32 lower-case hex digits of the 16 bytes in stored order; FromHex accepts either case.
    std::string ToHex() const;
    static bool FromHex(std::string_view hex, ItemId* id);

    friend bool operator==(const ItemId& a, const ItemId& b) { return std::memcmp(a.bytes, b.bytes, 16) == 0; }
    friend std::strong_ordering operator<=>(const ItemId& a, const ItemId& b) {
        const int c = std::memcmp(a.bytes, b.bytes, 16);
        return c < 0 ? std::strong_ordering::less : c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
    }
};

// A new identifier: pseudo-random words, the tag 3 and the local time; never equal to the previous one
// this process produced.
ItemId NewItemId();

// Numbers 0-42 name the built-in forms.
constexpr int kFormIdBuiltInLimit = 43;

// 16 bytes naming a form: a built-in form number in bytes 0-3 with bytes 4-15 zero, or else the ItemId
// of a card in the My Forms folder. The all-zero FormId names built-in form 0.
struct FormId {
    uint8_t bytes[16] = {};

    static FormId FromBytes(const uint8_t* p) {
        FormId id;
        std::memcpy(id.bytes, p, 16);
        return id;
    }
    static FormId FromItemId(const ItemId& item) { return FromBytes(item.bytes); }
    // The FormId of built-in form number (0-42); false and a null FormId for other numbers.
    static bool ForBuiltIn(int number, FormId* form);
    ItemId AsItemId() const { return ItemId::FromBytes(bytes); }
    // True when the FormId names a built-in form; its number goes to *number (may be null).
    bool IsBuiltIn(int* number) const;

    friend bool operator==(const FormId& a, const FormId& b) { return std::memcmp(a.bytes, b.bytes, 16) == 0; }
};

// The kind of an item record, from its type identifier.
enum ItemKind : int {
    kItemKindNone = 0,     // not a record (not created or not read)
    kItemKindCard = 1,
    kItemKindFolder = 2,
    kItemKindMyForms = 3,  // the My Forms folder
};

// The 16-byte type identifier that starts a record of the kind (null for kItemKindNone).
const uint8_t* ItemKindTypeId(ItemKind kind);
// The kind named by a type identifier; kItemKindNone when it matches none.
ItemKind ItemKindFromTypeId(const uint8_t* typeId);

// The three special tree nodes, with index values independent of the ItemTable.
enum SpecialNode : uint32_t {
    kSpecialNodeFavorites = 0x10000000,
    kSpecialNodeFindResults = 0x20000000,
    kSpecialNodeThird = 0x40000000,
};
constexpr int kSpecialNodeCount = 3;
// Node number 1-3 of an index value, 0 when it is not a special node.
int SpecialNodeNumber(uint32_t index);
// The kind the wallet reports for a special node index: 100, 200, 300 (0 for other values).
int SpecialNodeKind(uint32_t index);
// Default label string identifiers and icons of nodes 1-3.
uint32_t SpecialNodeDefaultLabelId(int node);
int32_t SpecialNodeDefaultIcon(int node);

// Change flag bits.
enum ChangeFlags : uint32_t {
    // item record
    kRecordCreated = 1,
    kRecordParentChanged = 2,
    kRecordNameChanged = 4,
    kRecordDeleted = 8,
    kRecordIconChanged = 16,
    kRecordContentsChanged = 32,
    kRecordDefaultFormChanged = 64,
    // WalletHeader
    kHeaderPasswordChanged = 1,
    kHeaderHintChanged = 2,
    kHeaderSpecialNodeChanged = 16,
    // WalletSettings
    kSettingsSecurityChanged = 0x10000,
    kSettingsFavoritesChanged = 0x10000000,
};

}  // namespace tl5
