#include "cardui/win/Strings.h"

#include <commctrl.h>

#include <unordered_map>

#include "cardui/Formatting.h"
#include "cardui/MenuCaptions.h"
#include "model/Field.h"
#include "platform/Text.h"
#include "platform/pocketpc/Shell.h"
#include "platform/win32/Win32Time.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

HMODULE g_stringModule = nullptr;
HINSTANCE g_programInstance = nullptr;
SRWLOCK g_cacheLock = SRWLOCK_INIT;

// Resource strings are counted, not terminated: each one is copied once and kept.
std::unordered_map<UINT, std::wstring>& Cache() {
    static std::unordered_map<UINT, std::wstring> cache;
    return cache;
}

constexpr int kMaxCaption = 127;
constexpr int kMaxMenuItems = 256;

std::wstring ReadLocaleText(LCTYPE type, int max) {
    std::wstring text(static_cast<size_t>(max) + 1, L'\0');
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), max + 1);
    text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return text;
}

}  // namespace

void SetStringModule(HMODULE module) {
    AcquireSRWLockExclusive(&g_cacheLock);
    g_stringModule = module;
    Cache().clear();
    ReleaseSRWLockExclusive(&g_cacheLock);
}

HMODULE StringModule() { return g_stringModule; }

void SetProgramInstance(HINSTANCE instance) { g_programInstance = instance; }

HINSTANCE ProgramInstance() { return g_programInstance ? g_programInstance : GetModuleHandleW(nullptr); }

const wchar_t* Text(UINT id) {
    AcquireSRWLockExclusive(&g_cacheLock);
    const wchar_t* result = L"*";
    if (g_stringModule) {
        auto& cache = Cache();
        auto it = cache.find(id);
        if (it == cache.end()) {
            const wchar_t* text = nullptr;
            const int length = LoadStringW(g_stringModule, id, reinterpret_cast<LPWSTR>(&text), 0);
            if (length > 0 && text) it = cache.emplace(id, std::wstring(text, static_cast<size_t>(length))).first;
        }
        result = it != cache.end() ? it->second.c_str() : L"?";
    }
    ReleaseSRWLockExclusive(&g_cacheLock);
    return result;
}

std::u16string TextU16(uint32_t id) { return tl5::FromWide(Text(id)); }

int ShowMessage(HWND owner, const std::wstring& text, UINT captionId, UINT flags) {
    return MessageBoxW(owner, text.c_str(), Text(captionId), flags);
}

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags) {
    return MessageBoxW(owner, Text(textId), Text(captionId), flags);
}

HWND CreateMenuBarById(HWND window, UINT menuBarId) {
    ppc::SHMENUBARINFO info{};
    info.cbSize = sizeof(info);
    info.hwndParent = window;
    info.nToolBarId = menuBarId;
    info.hInstRes = ProgramInstance();
    if (!ppc::SHCreateMenuBar(&info) || !info.hwndMB) return nullptr;
    TranslateMenu(reinterpret_cast<HMENU>(SendMessageW(info.hwndMB, ppc::SHCMBM_GETMENU, 0, 0)), info.hwndMB);
    return info.hwndMB;
}

void TranslateMenu(HMENU menu, HWND menuBar) {
    if (!menu) return;
    for (int position = 0; position < kMaxMenuItems; ++position) {
        wchar_t caption[kMaxCaption + 1] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        mii.dwTypeData = caption;
        mii.cch = kMaxCaption + 1;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii)) break;
        if ((mii.fType & MFT_SEPARATOR) || caption[0] == L'\0') continue;
        if (mii.hSubMenu) TranslateMenu(mii.hSubMenu, nullptr);
        const uint32_t id = tl5::MenuCaptionStringId(tl5::AsU16(caption));
        if (id == 0) continue;
        // A translation that is empty or missing from the module keeps the English caption (never "?").
        const wchar_t* text = nullptr;
        const int length = StringModule() ? LoadStringW(StringModule(), id, reinterpret_cast<LPWSTR>(&text), 0) : 0;
        if (length <= 0 || !text) continue;
        wchar_t copy[kMaxCaption + 1] = {};
        lstrcpynW(copy, text, (length < kMaxCaption ? length : kMaxCaption) + 1);
        if (!menuBar) {
            MENUITEMINFOW set{};
            set.cbSize = sizeof(set);
            set.fMask = MIIM_STRING;
            set.dwTypeData = copy;
            SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &set);
        } else if (tl5::EqualsIgnoringCase(tl5::AsU16(caption), u"MENU")) {
            ppc::SetMenuBarButtonText(menuBar, IDM_MENU_BUTTON, copy);
        } else {
            ppc::SetMenuBarButtonText(menuBar, mii.wID, copy);
        }
    }
}

std::wstring ShortDateFormat() {
    const std::u16string picture = tl5::FromWide(ReadLocaleText(LOCALE_SSHORTDATE, 64));
    return tl5::ToWide(tl5::FixShortDatePicture(picture));
}

std::wstring TimeFormat() {
    const std::u16string picture = tl5::FromWide(ReadLocaleText(LOCALE_STIMEFORMAT, 64));
    const std::u16string separator = tl5::FromWide(ReadLocaleText(LOCALE_STIME, 32));
    return tl5::ToWide(tl5::FixTimePicture(picture, separator));
}

std::wstring SizeText(uint32_t bytes) {
    const tl5::SizeTextParts parts = tl5::SplitSizeText(bytes);
    const std::wstring number = tl5::ToWide(parts.number);
    wchar_t formatted[33] = {};
    std::wstring text;
    if (GetNumberFormatW(LOCALE_USER_DEFAULT, 0, number.c_str(), nullptr, formatted, 33) > 0) {
        text = formatted;
        // A count of bytes is whole: the locale's decimals ("14.00") are dropped.
        const std::wstring decimal = ReadLocaleText(LOCALE_SDECIMAL, 8);
        const size_t point = decimal.empty() ? std::wstring::npos : text.rfind(decimal);
        if (parts.unit == u"B" && point != std::wstring::npos) text.resize(point);
    } else {
        text = number;
    }
    text += tl5::ToWide(parts.unit);
    if (text.size() > 32) text.resize(32);
    return text;
}

std::u16string UserFieldDateTimeText(const tl5::SystemTime& time, uint16_t type) {
    if (time.IsZero()) return std::u16string();
    // The pictures are read once: a search formats the dates of every card.
    static const std::wstring datePicture = ShortDateFormat();
    static const std::wstring timePicture = TimeFormat();
    const SYSTEMTIME st = tl5::ToSystemTime(time);
    wchar_t date[80] = {};
    wchar_t clock[80] = {};
    const bool dateOk = type == tl5::FT_TIME ||
                        GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, datePicture.empty() ? nullptr : datePicture.c_str(),
                                       date, 80) > 0;
    const bool timeOk = type == tl5::FT_DATE ||
                        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, timePicture.empty() ? nullptr : timePicture.c_str(),
                                       clock, 80) > 0;
    if (!dateOk || !timeOk) return tl5::IsoFieldDateTimeText(time, type);
    if (type == tl5::FT_DATE) return tl5::FromWide(date);
    if (type == tl5::FT_TIME) return tl5::FromWide(clock);
    return tl5::FromWide(date) + u"  " + tl5::FromWide(clock);
}

}  // namespace tl5win
