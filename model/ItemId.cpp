#include "model/ItemId.h"

#include <mutex>

#include "model/LittleEndian.h"
#include "platform/LocalTime.h"
#include "platform/Random.h"

namespace tl5 {

namespace {

// GUIDs in their stored layout (32-bit, 16-bit, 16-bit little-endian, then 8 bytes as written).
constexpr uint8_t kCardTypeId[16] = {0xED, 0xBC, 0x16, 0x9C, 0x56, 0xC2, 0xB4, 0x40,
                                     0x8D, 0x46, 0xEF, 0xA4, 0xFD, 0x93, 0xFC, 0x3F};  // {9C16BCED-C256-40B4-8D46-EFA4FD93FC3F}
constexpr uint8_t kFolderTypeId[16] = {0x7B, 0x59, 0x5D, 0x8B, 0xE8, 0x58, 0xB9, 0x48,
                                       0xA9, 0x09, 0x9A, 0x2E, 0xF5, 0x84, 0x5A, 0x60};  // {8B5D597B-58E8-48B9-A909-9A2EF5845A60}
constexpr uint8_t kMyFormsTypeId[16] = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x11, 0x11,
                                        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x02, 0x03};

}  // namespace

std::string ItemId::ToHex() const {
    static const char kDigits[] = "0123456789abcdef";
    std::string s(32, '0');
    for (int k = 0; k < 16; ++k) {
        s[2 * k] = kDigits[bytes[k] >> 4];
        s[2 * k + 1] = kDigits[bytes[k] & 15];
    }
    return s;
}

bool ItemId::FromHex(std::string_view hex, ItemId* id) {
    if (hex.size() != 32) return false;
    ItemId result;
    for (int k = 0; k < 32; ++k) {
        const char c = hex[k];
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else return false;
        result.bytes[k / 2] = static_cast<uint8_t>(result.bytes[k / 2] | (k % 2 ? v : v << 4));
    }
    *id = result;
    return true;
}

ItemId NewItemId() {
    static std::mutex mutex;
    static ItemId last;
    std::lock_guard<std::mutex> lock(mutex);
    ItemId id;
    do {
        const SystemTime t = LocalTimeNow();
        StoreU32(id.bytes, Random32());
        StoreU16(id.bytes + 4, 3);
        StoreU16(id.bytes + 6, static_cast<uint16_t>(Random32()));
        id.bytes[8] = static_cast<uint8_t>(t.day);
        id.bytes[9] = static_cast<uint8_t>(t.month);
        StoreU16(id.bytes + 10, t.year);
        id.bytes[12] = static_cast<uint8_t>(t.hour);
        id.bytes[13] = static_cast<uint8_t>(t.minute);
        id.bytes[14] = static_cast<uint8_t>(t.second);
        id.bytes[15] = static_cast<uint8_t>(t.second);
    } while (id == last);
    last = id;
    return id;
}

bool FormId::ForBuiltIn(int number, FormId* form) {
    *form = FormId();
    if (number < 0 || number >= kFormIdBuiltInLimit) return false;
    StoreU32(form->bytes, static_cast<uint32_t>(number));
    return true;
}

bool FormId::IsBuiltIn(int* number) const {
    for (int k = 4; k < 16; ++k)
        if (bytes[k]) return false;
    const uint32_t n = LoadU32(bytes);
    if (n >= static_cast<uint32_t>(kFormIdBuiltInLimit)) return false;
    if (number) *number = static_cast<int>(n);
    return true;
}

const uint8_t* ItemKindTypeId(ItemKind kind) {
    switch (kind) {
        case kItemKindCard: return kCardTypeId;
        case kItemKindFolder: return kFolderTypeId;
        case kItemKindMyForms: return kMyFormsTypeId;
        default: return nullptr;
    }
}

ItemKind ItemKindFromTypeId(const uint8_t* typeId) {
    if (std::memcmp(typeId, kCardTypeId, 16) == 0) return kItemKindCard;
    if (std::memcmp(typeId, kFolderTypeId, 16) == 0) return kItemKindFolder;
    if (std::memcmp(typeId, kMyFormsTypeId, 16) == 0) return kItemKindMyForms;
    return kItemKindNone;
}

int SpecialNodeNumber(uint32_t index) {
    switch (index) {
        case kSpecialNodeFavorites: return 1;
        case kSpecialNodeFindResults: return 2;
        case kSpecialNodeThird: return 3;
        default: return 0;
    }
}

int SpecialNodeKind(uint32_t index) { return SpecialNodeNumber(index) * 100; }

uint32_t SpecialNodeDefaultLabelId(int node) {
    return node >= 1 && node <= 3 ? static_cast<uint32_t>(20199 + node) : 0;
}

int32_t SpecialNodeDefaultIcon(int node) {
    static const int32_t kIcons[3] = {88, 128, 78};
    return node >= 1 && node <= 3 ? kIcons[node - 1] : 0;
}

}  // namespace tl5
