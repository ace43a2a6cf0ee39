#include "dialogs/NoteRules.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/SecureZero.h"
#include "resources/resource.h"

namespace tl5 {

namespace {

constexpr std::array<NoteZoomStep, kNoteZoomSteps> kNoteZoom{{
    {0, IDM_ZOOM_75, 8},
    {1, IDM_ZOOM_100, 9},
    {2, IDM_ZOOM_150, 11},
    {3, IDM_ZOOM_200, 13},
    {4, IDM_ZOOM_300, 16},
}};

constexpr uint32_t kNoteZoomDefaultStep = 1;

bool Selectable(const std::vector<std::u16string>& items, int selected) {
    return selected >= 0 && static_cast<size_t>(selected) < items.size();
}

}  // namespace

NoteZoomStep NoteZoomFor(uint32_t noteZoom) {
    return noteZoom < kNoteZoomSteps ? kNoteZoom[noteZoom] : kNoteZoom[kNoteZoomDefaultStep];
}

bool NoteZoomOfCommand(int command, uint32_t* zoom) {
    for (const NoteZoomStep& step : kNoteZoom) {
        if (step.menuItem != command) continue;
        if (zoom) *zoom = step.zoom;
        return true;
    }
    return false;
}

bool NoteTextChanged(bool modified, size_t incomingLength, size_t currentLength) {
    return modified || incomingLength != currentLength;
}

ListAddResult AddListItem(std::vector<std::u16string>& items, std::u16string_view text) {
    if (text.empty()) return ListAddResult::empty;
    if (items.size() >= kMaxChoiceItems) return ListAddResult::full;
    std::u16string item(text.substr(0, kListItemMaxChars));
    std::replace(item.begin(), item.end(), kChoiceSeparator, u' ');
    items.push_back(std::move(item));
    return ListAddResult::added;
}

int DeleteListItem(std::vector<std::u16string>& items, int selected) {
    if (!Selectable(items, selected)) return -1;
    // The removed text travels to the end by swaps and is wiped there, so no copy of it stays behind.
    std::rotate(items.begin() + selected, items.begin() + selected + 1, items.end());
    SecureZero(items.back());
    items.pop_back();
    if (items.empty()) return -1;
    return selected > 0 ? selected - 1 : 0;
}

int MoveListItem(std::vector<std::u16string>& items, int selected, int delta) {
    if (!Selectable(items, selected) || (delta != -1 && delta != 1)) return selected;
    const int target = selected + delta;
    if (!Selectable(items, target)) return selected;
    std::swap(items[static_cast<size_t>(selected)], items[static_cast<size_t>(target)]);
    return target;
}

std::vector<std::u16string> ListItemsOfField(const Field& field) {
    std::vector<std::u16string> items;
    items.reserve(field.ItemCount());
    for (size_t i = 0; i < field.ItemCount(); ++i) items.push_back(field.ItemAt(i));
    return items;
}

bool StoreListIntoField(const std::vector<std::u16string>& items, Field* field) {
    if (!field) return false;
    // What the field would hold: the non-empty items with "^" as a space, at most 128.
    std::vector<std::u16string> wanted;
    for (const std::u16string& item : items) {
        if (item.empty()) continue;
        if (wanted.size() >= kMaxChoiceItems) break;
        wanted.push_back(item);
        std::replace(wanted.back().begin(), wanted.back().end(), kChoiceSeparator, u' ');
    }
    const bool same = wanted == field->Items();
    WipeListItems(wanted);
    if (same) return false;
    field->ClearItems();
    for (const std::u16string& item : items) {
        if (!item.empty() && !field->AddItem(item)) break;
    }
    return true;
}

void WipeListItems(std::vector<std::u16string>& items) {
    for (std::u16string& item : items) SecureZero(item);
    items.clear();
}

}  // namespace tl5
