#include "cardui/CardViewRules.h"

#include <algorithm>
#include <climits>

#include "model/Card.h"
#include "model/CaseFold.h"
#include "platform/SecureZero.h"

namespace tl5 {

namespace {

// The part of a link's text that is looked at when classifying it.
constexpr size_t kClassifyWindow = 1023;

int ClampToInt(int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int LastIndex(const std::vector<ViewRow>& rows) { return static_cast<int>(rows.size()) - 1; }

// The address a row stands for once a detect row's text has been classified: the action bit that
// decides what activating it does, and the text to hand over.
struct EffectiveAddress {
    uint32_t actions = 0;
    std::u16string text;
};

EffectiveAddress ResolveAddress(const ViewRow& row) {
    EffectiveAddress a;
    a.actions = row.actions;
    if ((row.actions & kRowDetect) == 0) return a;
    std::u16string cleaned;
    const AddressClass c = ClassifyAddress(row.text, &cleaned);
    uint32_t bit = 0;
    switch (c) {
        case AddressClass::kPhone: bit = kRowPhone; break;
        case AddressClass::kWeb: bit = kRowWeb; break;
        case AddressClass::kEmail: bit = kRowEmail; break;
        case AddressClass::kNone: break;
    }
    if (bit != 0) {
        // The class decides alone what the row is.
        a.actions = (row.actions & ~static_cast<uint32_t>(kRowActionIcons)) | bit;
        a.text = std::move(cleaned);
    } else {
        a.actions = row.actions & ~static_cast<uint32_t>(kRowDetect);
    }
    SecureZero(cleaned);
    return a;
}

}  // namespace

// ---- Rows ----------------------------------------------------------------------------------------------

uint32_t ValueRowActions(uint16_t fieldType) {
    uint32_t a = kRowIndent;
    switch (fieldType) {
        case FT_URL: a |= kRowWeb; break;
        case FT_PHONE: a |= kRowPhone; break;
        case FT_EMAIL: a |= kRowEmail; break;
        case FT_PASSWORD: a |= kRowPassword; break;
        case FT_LINK: a |= kRowDetect; break;
        default: break;
    }
    return a;
}

std::vector<ViewRow> BuildViewRows(const Card& card, std::u16string_view attachmentLabel) {
    std::u16string scratch;
    // Counted first so the vector never grows: a reallocation would leave copies of short texts (held
    // inside the rows themselves) in released memory.
    size_t count = 0;
    for (const Field& f : card.Fields()) {
        if (!f.DisplayText(&scratch).empty()) count += 2;
    }
    for (size_t slot = 0; slot < kMaxAttachments; ++slot) {
        if (card.AttachmentAt(slot).HasData()) count += 2;
    }

    std::vector<ViewRow> rows;
    rows.reserve(count);
    const std::vector<Field>& fields = card.Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        const std::u16string_view shown = f.DisplayText(&scratch);
        if (shown.empty()) continue;
        ViewRow& name = rows.emplace_back();
        name.kind = kRowFieldName;
        name.actions = 0;
        name.text = f.Name().empty() ? std::u16string(u"*") : f.Name();
        name.fieldIndex = static_cast<int>(i);
        ViewRow& value = rows.emplace_back();
        value.kind = kRowFieldValue;
        value.actions = ValueRowActions(f.Type());
        value.text.assign(shown.data(), shown.size());
        value.fieldIndex = static_cast<int>(i);
    }
    for (size_t slot = 0; slot < kMaxAttachments; ++slot) {
        const Attachment& att = card.AttachmentAt(slot);
        if (!att.HasData()) continue;
        ViewRow& name = rows.emplace_back();
        name.kind = kRowFieldName;
        name.actions = 0;
        name.text.assign(attachmentLabel.data(), attachmentLabel.size());
        name.attachmentIndex = static_cast<int>(slot);
        ViewRow& value = rows.emplace_back();
        value.kind = kRowAttachment;
        value.actions = kRowIndent | kRowAttachmentAction;
        value.text = att.fileName;
        value.attachmentIndex = static_cast<int>(slot);
    }
    SecureZero(scratch);
    return rows;
}

void WipeViewRows(std::vector<ViewRow>* rows) {
    if (rows == nullptr) return;
    for (ViewRow& row : *rows) SecureZero(row.text);
    rows->clear();
}

std::u16string_view RowDisplayText(const ViewRow& row, bool selected, bool alwaysShowPasswords) {
    if ((row.actions & kRowPassword) != 0 && !selected && !alwaysShowPasswords) return kPasswordMask;
    return row.text;
}

// ---- Addresses -----------------------------------------------------------------------------------------

AddressClass ClassifyAddress(std::u16string_view text, std::u16string* cleaned) {
    if (cleaned != nullptr) cleaned->clear();
    size_t lead = 0;
    while (lead < text.size() && text[lead] == u' ') ++lead;
    const std::u16string_view window = text.substr(0, std::min(text.size(), kClassifyWindow));
    if (lead >= window.size()) return AddressClass::kNone;
    const std::u16string_view rest = window.substr(lead);
    // The whole text without its leading spaces: a long address is never cut here.
    const std::u16string_view full = text.substr(lead);

    size_t digits = 0;
    for (char16_t c : rest) {
        if (c >= u'0' && c <= u'9') ++digits;
    }
    if (digits * 5 >= rest.size() * 3) {
        if (cleaned != nullptr) cleaned->assign(full.data(), full.size());
        return AddressClass::kPhone;
    }
    const size_t at = rest.find(u'@');
    if (at != std::u16string_view::npos && rest.find(u'.', at + 1) != std::u16string_view::npos) {
        if (cleaned != nullptr) cleaned->assign(full.data(), full.size());
        return AddressClass::kEmail;
    }

    std::u16string lower(rest);
    FoldCaseInPlace(lower.data(), lower.size());
    const bool web = std::count(lower.begin(), lower.end(), u'.') > 1 ||
                     lower.find(u"www.") != std::u16string::npos || lower.find(u"http") != std::u16string::npos ||
                     lower.find(u"ftp") != std::u16string::npos;
    SecureZero(lower);
    if (cleaned != nullptr) {
        cleaned->assign(full.data(), full.size());
        if (web) FoldCaseInPlace(cleaned->data(), cleaned->size());
    }
    return web ? AddressClass::kWeb : AddressClass::kNone;
}

int ActionIconIndex(const ViewRow& row) {
    if (!row.HasActionIcon()) return -1;
    const EffectiveAddress a = ResolveAddress(row);
    if (a.actions & kRowEmail) return 1;
    if (a.actions & kRowPhone) return 2;
    if (a.actions & kRowWeb) return 0;
    if (a.actions & kRowAttachmentAction) return 3;
    return -1;
}

// ---- Activation ------------------------------------------------------------------------------------------

HandOver PlanActivation(const ViewRow& row) {
    HandOver h;
    if (row.IsName() || row.text.empty()) return h;
    EffectiveAddress a = ResolveAddress(row);
    // A classified link hands over its cleaned text; every other row its text exactly as stored.
    const std::u16string& address = a.text.empty() ? row.text : a.text;

    const bool mail = (a.actions & kRowEmail) != 0;
    const bool phone = !mail && (a.actions & kRowPhone) != 0;
    const bool web = !mail && !phone && (a.actions & kRowWeb) != 0;
    if (mail || phone || web) {
        // A cut address is another address, and a quote would end the mail program's argument early.
        if (address.size() > kMaxHandOverText || (mail && address.find(u'"') != std::u16string::npos)) {
            h.kind = HandOverKind::kRefused;
        } else if (mail) {
            h.kind = HandOverKind::kMail;
            h.program = u"tmail.exe";
            h.commandLine = u"-to \"" + address + u"\"";
        } else if (phone) {
            h.kind = HandOverKind::kPhone;
            h.text = address;
        } else {
            h.kind = HandOverKind::kWeb;
            h.program = u"iexplore.exe";
            h.commandLine = address;
        }
    } else if (a.actions & kRowAttachmentAction) {
        h.kind = HandOverKind::kAttachment;
        h.attachment = row.attachmentIndex;
    } else {
        h.kind = HandOverKind::kCopy;
        h.text = row.text;
    }
    SecureZero(a.text);
    return h;
}

bool IsSecretCopy(const ViewRow& row) { return (row.actions & kRowPassword) != 0; }

// ---- Selection -------------------------------------------------------------------------------------------

int FirstSelectableRow(const std::vector<ViewRow>& rows) {
    if (rows.empty()) return 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].IsName()) return static_cast<int>(i);
    }
    return LastIndex(rows);
}

int NextSelectableRow(const std::vector<ViewRow>& rows, int selected) {
    if (rows.empty()) return selected;
    const int last = LastIndex(rows);
    if (selected == last) return selected;
    if (selected > last) return last;  // a stale selection past the end
    int i = std::max(selected, -1) + 1;
    while (i < last && rows[static_cast<size_t>(i)].IsName()) ++i;
    return i;
}

int PreviousSelectableRow(const std::vector<ViewRow>& rows, int selected) {
    if (selected <= 0) return 0;
    int i = std::min(selected, static_cast<int>(rows.size())) - 1;
    while (i > 0 && rows[static_cast<size_t>(i)].IsName()) --i;
    return i <= 0 ? 0 : i;
}

int RowAtOffset(const std::vector<ViewRow>& rows, int y) {
    int64_t bottom = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        bottom += rows[i].height;
        if (!rows[i].IsName() && bottom >= y) return static_cast<int>(i);
    }
    return 0;
}

int RowTop(const std::vector<ViewRow>& rows, int index) {
    int64_t top = 0;
    const size_t end = index <= 0 ? 0 : std::min(static_cast<size_t>(index), rows.size());
    for (size_t i = 0; i < end; ++i) top += rows[i].height;
    return ClampToInt(top);
}

int TotalHeight(const std::vector<ViewRow>& rows) {
    return RowTop(rows, static_cast<int>(std::min<size_t>(rows.size(), INT_MAX)));
}

// ---- Scrolling -------------------------------------------------------------------------------------------

ScrollState ScrollRangeFor(int total, int client, int position) {
    ScrollState s;
    if (client < 0) client = 0;
    if (total <= client) return s;
    s.minimum = 0;
    s.maximum = total;
    s.page = client;
    // Where the scroll bar itself would put the thumb: the list may have shrunk since the position
    // was taken.
    const int64_t top = static_cast<int64_t>(total) - client + 1;
    s.position = static_cast<int>(std::clamp<int64_t>(position, 0, top));
    return s;
}

int ScrollTarget(int code, int trackPosition, const ScrollState& state, int lineStep) {
    if (!state.Scrolls()) return -1;
    const int64_t pos = state.position;
    int64_t target = 0;
    switch (code) {
        case 0: target = std::max<int64_t>(0, pos - lineStep); break;
        case 1: target = pos + lineStep; break;
        case 2: target = std::max<int64_t>(0, pos - state.page); break;
        case 3: target = std::min<int64_t>(state.maximum, pos + state.page); break;
        case 4:
        case 5: target = trackPosition; break;
        case 6: target = 0; break;
        case 7: target = state.maximum; break;
        default: return -1;
    }
    const int64_t top = std::max<int64_t>(0, static_cast<int64_t>(state.maximum) - state.page + 1);
    target = std::clamp<int64_t>(target, 0, top);
    if (target == pos) return -1;
    return static_cast<int>(target);
}

int ViewPositionShowing(const ScrollState& state, int rowTop, int rowHeight) {
    if (!state.Scrolls()) return state.position;
    if (rowTop < state.position) return rowTop;
    const int64_t end = static_cast<int64_t>(rowTop) + rowHeight;
    if (static_cast<int64_t>(state.position) + state.page < end) return ClampToInt(end - state.page);
    return state.position;
}

int EditorPositionShowing(const ScrollState& state, int rowTop, int rowHeight) {
    if (!state.Scrolls()) return state.position;
    const int above = ClampToInt(std::max<int64_t>(0, static_cast<int64_t>(rowTop) - rowHeight));
    if (above < state.position) return above;
    const int64_t end = static_cast<int64_t>(rowTop) + rowHeight;
    if (static_cast<int64_t>(state.position) + state.page < end) return ClampToInt(end - state.page);
    return state.position;
}

}  // namespace tl5
