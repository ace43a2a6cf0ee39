#include "cardui/MenuCaptions.h"

namespace tl5 {

const MenuCaption MenuCaptionTable[] = {
    {u"ABOUT", 20710},
    {u"ADD", 28721},
    {u"Add to Favorites", 20760},
    {u"ATTACHMENTS", 20756},
    {u"BACKGROUND", 20754},
    {u"ADD FIELD", 20732},
    {u"BOTTOM", 20739},
    {u"CANCEL", 20704},
    {u"Change Password", 20767},
    {u"Check for Updates", 20585},
    {u"CLEAR", 20726},
    {u"COPY", 20723},
    {u"COPY FIELD", 20733},
    {u"COPY TEXT", 20750},
    {u"CREATE", 20714},
    {u"CUSTOMIZE", 20751},
    {u"CUT", 20722},
    {u"DELETE", 20725},
    {u"DELETE CARD", 20757},
    {u"DELETE FIELD", 20734},
    {u"DISPLAY", 20765},
    {u"DONE", 20717},
    {u"DOWN", 20737},
    {u"EDIT", 20719},
    {u"Edit Selection Field", 20773},
    {u"EXIT", 20709},
    {u"EXPORT", 20729},
    {u"EXPORT FORM", 20772},
    {u"FIND", 20720},
    {u"FORM DESIGN", 20740},
    {u"GO", 20721},
    {u"HELP", 20511},
    {u"ICON", 20752},
    {u"IMPORT", 20730},
    {u"IMPORT FORM", 20771},
    {u"INSERT DATE", 20741},
    {u"INSERT TIME", 20742},
    {u"LOCK", 20700},
    {u"MENU", 20703},
    {u"MORE", 20712},
    {u"MOVE UP", 28723},
    {u"MOVE FIELD", 20735},
    {u"MOVE DOWN", 28724},
    {u"NEW", 20718},
    {u"NEW CARD", 20706},
    {u"NEW FOLDER", 20707},
    {u"NEW WALLET", 20708},
    {u"NONE", 20743},
    {u"OK", 20705},
    {u"OPEN", 20715},
    {u"OPTIONS", 20762},
    {u"PASTE", 20724},
    {u"PROPERTIES", 20728},
    {u"REMOVE", 20727},
    {u"RENAME", 20770},
    {u"Save to My Forms", 20769},
    {u"SECURITY", 20766},
    {u"SELECT ALL", 20731},
    {u"SOUND", 20755},
    {u"TEXT/COLORS", 20753},
    {u"TOP", 20738},
    {u"UNLOCK", 20701},
    {u"UP", 20736},
    {u"WALLETS", 20761},
    {u"WEB SITE", 20713},
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
