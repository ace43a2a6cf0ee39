#include "cardui/MenuCaptions.h"

#include "StringIds.h"

namespace tl5 {

const MenuCaption MenuCaptionTable[] = {
    {u"ABOUT", IDS_MENU_ABOUT},
    {u"ADD", IDS_MENU_ADD},
    {u"Add to Favorites", IDS_MENU_ADD_TO_FAVORITES},
    {u"ATTACHMENTS", IDS_MENU_ATTACHMENTS},
    {u"BACKGROUND", IDS_MENU_BACKGROUND},
    {u"ADD FIELD", IDS_MENU_ADD_FIELD},
    {u"BOTTOM", IDS_MENU_BOTTOM},
    {u"CANCEL", IDS_MENU_CANCEL},
    {u"Change Password", IDS_MENU_CHANGE_PASSWORD},
    {u"Check for Updates", IDS_MENU_CHECK_FOR_UPDATES},
    {u"CLEAR", IDS_MENU_CLEAR},
    {u"COPY", IDS_MENU_COPY},
    {u"COPY FIELD", IDS_MENU_COPY_FIELD},
    {u"COPY TEXT", IDS_MENU_COPY_TEXT},
    {u"CREATE", IDS_MENU_CREATE},
    {u"CUSTOMIZE", IDS_MENU_CUSTOMIZE},
    {u"CUT", IDS_MENU_CUT},
    {u"DELETE", IDS_MENU_DELETE},
    {u"DELETE CARD", IDS_MENU_DELETE_CARD},
    {u"DELETE FIELD", IDS_MENU_DELETE_FIELD},
    {u"DISPLAY", IDS_MENU_DISPLAY},
    {u"DONE", IDS_MENU_DONE},
    {u"DOWN", IDS_MENU_DOWN},
    {u"EDIT", IDS_MENU_EDIT},
    {u"Edit Selection Field", IDS_MENU_EDIT_SELECTION_FIELD},
    {u"EXIT", IDS_MENU_EXIT},
    {u"EXPORT", IDS_MENU_EXPORT},
    {u"EXPORT FORM", IDS_MENU_EXPORT_FORM},
    {u"FIND", IDS_MENU_FIND},
    {u"FORM DESIGN", IDS_MENU_FORM_DESIGN},
    {u"GENERATE", IDS_MENU_GENERATE},
    {u"GO", IDS_MENU_GO},
    {u"HELP", IDS_MENU_HELP},
    {u"ICON", IDS_MENU_ICON},
    {u"IMPORT", IDS_MENU_IMPORT},
    {u"IMPORT FORM", IDS_MENU_IMPORT_FORM},
    {u"INSERT DATE", IDS_MENU_INSERT_DATE},
    {u"INSERT TIME", IDS_MENU_INSERT_TIME},
    {u"LOCK", IDS_MENU_LOCK},
    {u"MENU", IDS_MENU_MENU},
    {u"MORE", IDS_MENU_MORE},
    {u"MOVE UP", IDS_MENU_MOVE_UP},
    {u"MOVE FIELD", IDS_MENU_MOVE_FIELD},
    {u"MOVE DOWN", IDS_MENU_MOVE_DOWN},
    {u"NEW", IDS_MENU_NEW},
    {u"NEW CARD", IDS_MENU_NEW_CARD},
    {u"NEW FOLDER", IDS_MENU_NEW_FOLDER},
    {u"NEW WALLET", IDS_MENU_NEW_WALLET},
    {u"NONE", IDS_MENU_NONE},
    {u"OK", IDS_MENU_OK},
    {u"OPEN", IDS_MENU_OPEN},
    {u"OPTIONS", IDS_MENU_OPTIONS},
    {u"PASTE", IDS_MENU_PASTE},
    {u"PROPERTIES", IDS_MENU_PROPERTIES},
    {u"REMOVE", IDS_MENU_REMOVE},
    {u"RENAME", IDS_MENU_RENAME},
    {u"Save to My Forms", IDS_MENU_SAVE_TO_MY_FORMS},
    {u"SECURITY", IDS_MENU_SECURITY},
    {u"SELECT ALL", IDS_MENU_SELECT_ALL},
    {u"SOUND", IDS_MENU_SOUND},
    {u"TEXT/COLORS", IDS_MENU_TEXT_COLORS},
    {u"TOP", IDS_MENU_TOP},
    {u"UNLOCK", IDS_MENU_UNLOCK},
    {u"UP", IDS_MENU_UP},
    {u"WALLETS", IDS_MENU_WALLETS},
    {u"WEB SITE", IDS_MENU_WEB_SITE},
};
const size_t MenuCaptionCount = sizeof(MenuCaptionTable) / sizeof(MenuCaptionTable[0]);

namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

uint32_t MenuCaptionStringId(std::u16string_view caption) {
    for (size_t i = 0; i < MenuCaptionCount; ++i) {
        if (EqualsIgnoringCase(caption, MenuCaptionTable[i].english)) return MenuCaptionTable[i].stringId;
    }
    return 0;
}

}  // namespace tl5
