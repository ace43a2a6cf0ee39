// Telephony and the device's programs (browser, mail, help viewer), handed to the desktop's defaults.
#include "platform/pocketpc/Shell.h"

#include <shellapi.h>

#include <string>

#include "platform/CardServices.h"
#include "platform/Text.h"

namespace ppc {

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n < MAX_PATH ? n : 0);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return folder;
}

bool HasControlCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

bool EqualsNoCase(LPCWSTR a, LPCWSTR b) { return lstrcmpiW(a, b) == 0; }

// The program's file name without folders ("\Windows\iexplore.exe" -> "iexplore.exe").
std::wstring ProgramName(LPCWSTR program) {
    std::wstring p = program ? program : L"";
    const size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

}  // namespace

LONG tapiRequestMakeCall(LPCWSTR destAddress, LPCWSTR, LPCWSTR, LPCWSTR) {
    if (!destAddress || !*destAddress) return TAPIERR_INVALDESTADDRESS;
    std::wstring number;
    for (const wchar_t* p = destAddress; *p; ++p) {
        const wchar_t c = *p;
        if ((c >= L'0' && c <= L'9') || c == L'+' || c == L'*' || c == L'#' || c == L',' || c == L'p' || c == L'P' ||
            c == L'w' || c == L'W') {
            number.push_back(c);
        } else if (c == L' ' || c == L'-' || c == L'(' || c == L')' || c == L'.' || c == L'/') {
            continue;  // formatting only
        } else {
            return TAPIERR_INVALDESTADDRESS;
        }
    }
    if (number.empty()) return TAPIERR_INVALDESTADDRESS;
    if (tl5::RecordHandOver(u"dial " + tl5::FromWide(destAddress))) return 0;
    const std::wstring uri = L"tel:" + number;
    const INT_PTR r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", uri.c_str(), nullptr, nullptr,
                                                              SW_SHOWNORMAL));
    return r > 32 ? 0 : TAPIERR_NOREQUESTRECIPIENT;
}

bool DesktopTargetForDeviceProgram(LPCWSTR program, LPCWSTR commandLine, wchar_t* target, int size) {
    if (!target || size <= 0) return false;
    target[0] = L'\0';
    const std::wstring name = ProgramName(program);
    std::wstring line = commandLine ? commandLine : L"";
    while (!line.empty() && line.front() == L' ') line.erase(0, 1);
    while (!line.empty() && line.back() == L' ') line.pop_back();
    if (HasControlCharacters(line)) return false;
    std::wstring result;
    if (EqualsNoCase(name.c_str(), L"iexplore.exe")) {
        // Only web addresses: anything else handed to the desktop could start a program.
        if (line.empty() || line.find(L'"') != std::wstring::npos) return false;
        const size_t colon = line.find(L"://");
        if (colon == std::wstring::npos) {
            if (line.find(L':') != std::wstring::npos && line.find(L':') < line.find(L'.')) return false;
            result = L"http://" + line;
        } else {
            const std::wstring scheme = line.substr(0, colon);
            if (!EqualsNoCase(scheme.c_str(), L"http") && !EqualsNoCase(scheme.c_str(), L"https") &&
                !EqualsNoCase(scheme.c_str(), L"ftp")) {
                return false;
            }
            result = line;
        }
    } else if (EqualsNoCase(name.c_str(), L"tmail.exe")) {
        // -to "ADDRESS"
        if (line.compare(0, 3, L"-to") != 0) return false;
        std::wstring address = line.substr(3);
        while (!address.empty() && address.front() == L' ') address.erase(0, 1);
        if (address.size() >= 2 && address.front() == L'"' && address.back() == L'"') {
            address = address.substr(1, address.size() - 2);
        }
        if (address.empty() || address.find(L'"') != std::wstring::npos) return false;
        result = L"mailto:" + address;
    } else if (EqualsNoCase(name.c_str(), L"peghelp.exe")) {
        // file:NAME: the help file beside the application, never another folder.
        if (line.compare(0, 5, L"file:") != 0) return false;
        std::wstring file = line.substr(5);
        const size_t slash = file.find_last_of(L"\\/:");
        if (slash != std::wstring::npos) file = file.substr(slash + 1);
        const size_t dot = file.find_last_of(L'.');
        if (file.empty() || dot == std::wstring::npos) return false;
        const std::wstring ext = file.substr(dot);
        if (!EqualsNoCase(ext.c_str(), L".htm") && !EqualsNoCase(ext.c_str(), L".html")) return false;
        result = ExeFolder() + file;
    } else {
        return false;
    }
    if (static_cast<int>(result.size()) >= size) return false;
    lstrcpynW(target, result.c_str(), size);
    return true;
}

bool StartDeviceProgram(LPCWSTR program, LPCWSTR commandLine) {
    const std::wstring name = ProgramName(program);
    const std::u16string record = tl5::FromWide(name) + u" " + tl5::FromWide(commandLine ? commandLine : L"");
    if (EqualsNoCase(name.c_str(), L"iexplore.exe") || EqualsNoCase(name.c_str(), L"tmail.exe") ||
        EqualsNoCase(name.c_str(), L"peghelp.exe")) {
        wchar_t target[2048];
        if (!DesktopTargetForDeviceProgram(program, commandLine, target, 2048)) return false;
        if (tl5::RecordHandOver(record)) return true;
        const INT_PTR r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, nullptr, nullptr,
                                                                  SW_SHOWNORMAL));
        return r > 32;
    }
    if (!program) return false;
    if (tl5::RecordHandOver(record)) return true;
    std::wstring line = L"\"" + std::wstring(program) + L"\"";
    if (commandLine && *commandLine) line += L" " + std::wstring(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace ppc
