#include "cardui/win/Clipboard.h"

#include <cstring>
#include <string>

#include "cardui/Settings.h"
#include "model/Sha256.h"
#include "platform/SecureZero.h"

namespace tl5win {

namespace {

// What we know of the secret we put on the clipboard: its sequence number and a digest of the text
// (the text itself is not kept).
struct PendingSecret {
    bool pending = false;
    DWORD sequence = 0;
    uint8_t digest[tl5::Sha256::kDigestSize] = {};
    UINT_PTR timer = 0;
};

PendingSecret& Pending() {
    static PendingSecret pending;
    return pending;
}

void Digest(const wchar_t* text, size_t length, uint8_t* out) {
    tl5::Sha256 sha;
    sha.Update(text, length * sizeof(wchar_t));
    sha.Final(out);
}

// Opens the clipboard, trying a few times: another program may hold it for a moment.
bool OpenClipboardFor(HWND owner) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

HGLOBAL CopyToGlobal(const void* data, size_t size) {
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!global) return nullptr;
    void* p = GlobalLock(global);
    if (!p) {
        GlobalFree(global);
        return nullptr;
    }
    std::memcpy(p, data, size);
    GlobalUnlock(global);
    return global;
}

void PutData(UINT format, const void* data, size_t size) {
    if (!format) return;
    if (HGLOBAL global = CopyToGlobal(data, size)) {
        if (!SetClipboardData(format, global)) GlobalFree(global);
    }
}

// Clipboard history and cloud clipboard tools skip data carrying these formats.
void MarkAsSecret() {
    const DWORD zero = 0;
    PutData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"), &zero, sizeof(zero));
    PutData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &zero, sizeof(zero));
    PutData(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), &zero, sizeof(zero));
}

// True when the clipboard holds the text we put there (the clipboard is open).
bool StillOurs(const PendingSecret& secret) {
    const DWORD sequence = GetClipboardSequenceNumber();
    if (secret.sequence != 0 && sequence != 0 && sequence != secret.sequence) return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text) return false;
    const size_t bytes = GlobalSize(data);
    const size_t length = wcsnlen(text, bytes / sizeof(wchar_t));
    uint8_t digest[tl5::Sha256::kDigestSize];
    Digest(text, length, digest);
    GlobalUnlock(data);
    return std::memcmp(digest, secret.digest, sizeof(digest)) == 0;
}

void StopTimer() {
    PendingSecret& secret = Pending();
    if (secret.timer) KillTimer(nullptr, secret.timer);
    secret.timer = 0;
}

void CALLBACK ClearTimerProc(HWND, UINT, UINT_PTR, DWORD) { ClearSecretFromClipboard(); }

}  // namespace

bool CopyTextToClipboard(HWND owner, std::u16string_view text, bool secret) {
    if (!OpenClipboardFor(owner)) return false;
    EmptyClipboard();
    std::wstring wide(text.begin(), text.end());
    PutData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    const int ansiSize = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (ansiSize > 0) {
        std::string ansi(static_cast<size_t>(ansiSize), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), ansiSize, nullptr, nullptr);
        PutData(CF_TEXT, ansi.data(), ansi.size());
        tl5::SecureZero(ansi.data(), ansi.size());
    }
    if (secret) MarkAsSecret();
    CloseClipboard();

    StopTimer();
    PendingSecret& pending = Pending();
    pending.pending = false;
    if (secret) {
        pending.pending = true;
        pending.sequence = GetClipboardSequenceNumber();
        Digest(wide.c_str(), wide.size(), pending.digest);
        const uint32_t seconds = tl5::AppSettings().clipboardClearSeconds;
        if (seconds > 0) pending.timer = SetTimer(nullptr, 0, seconds > 86400 ? 86400000u : seconds * 1000u, ClearTimerProc);
    }
    tl5::SecureZero(wide.data(), wide.size() * sizeof(wchar_t));
    return true;
}

void ClearSecretFromClipboard() {
    StopTimer();
    PendingSecret& secret = Pending();
    if (!secret.pending) return;
    secret.pending = false;
    if (!OpenClipboardFor(nullptr)) return;
    if (StillOurs(secret)) EmptyClipboard();
    CloseClipboard();
    tl5::SecureZero(secret.digest, sizeof(secret.digest));
}

bool SecretClipboardPending() { return Pending().pending; }

}  // namespace tl5win
