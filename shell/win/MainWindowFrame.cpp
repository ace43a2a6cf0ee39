#include "shell/win/MainWindowFrame.h"

#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "shell/win/Startup.h"

namespace tl5win {

const wchar_t kHomePage[] = L"http://www.ostrovaworks.com";

HINSTANCE AppInstance() {
    HINSTANCE instance = tl5::ProgramInstance();
    if (!instance) instance = GetModuleHandleW(nullptr);
    // The templates name the bar class: it must exist before any dialog is made.
    tl5::RegisterDialogBarClass(instance);
    return instance;
}

std::wstring Text(uint32_t id) { return tl5::LoadStringById(id); }

int ShowMessage(HWND owner, const std::wstring& text, uint32_t captionId, UINT flags) {
    return MessageBoxW(owner, text.c_str(), Text(captionId).c_str(), flags);
}

bool HighResolution() { return tl5::IsHighResolution(); }
int Scaled(int pixels) { return tl5::Scale(pixels); }

HFONT DialogFont(int fontTableIndex) { return tl5::AppFontCache().Font(fontTableIndex); }

HWND CreateTitleBar(HWND parent, const std::wstring& caption, int iconId) {
    HWND bar = tl5::CreateDialogBar(parent, caption.c_str(), WS_VISIBLE, POINT{0, 0}, AppInstance());
    if (bar) {
        SetWindowLongPtrW(bar, GWLP_ID, tl5::kDialogBarControlId);
        tl5::SetDialogBarContent(bar, caption.c_str(), iconId, AppInstance());
    }
    return bar;
}

HWND CreateMenuBarFor(HWND owner, UINT menuBarId) {
    AppInstance();
    return tl5::CreateMenuBarById(owner, menuBarId);
}

void InitDialogFrame(HWND dialog, DialogFrame* frame, const std::wstring& title, int iconId, UINT menuBarId) {
    frame->activation = ppc::SHACTIVATEINFO{};
    frame->activation.cbSize = 12;
    ppc::SHINITDLGINFO init{ppc::SHIDIM_FLAGS, dialog, ppc::SHIDIF_DONEBUTTON | ppc::SHIDIF_SIZEDLGFULLSCREEN};
    ppc::SHInitDialog(&init);
    SetWindowTextW(dialog, title.c_str());
    HWND bar = GetDlgItem(dialog, tl5::kDialogBarControlId);
    if (bar) tl5::SetDialogBarContent(bar, title.c_str(), iconId, AppInstance());
    frame->menuBar = menuBarId ? CreateMenuBarFor(dialog, menuBarId) : nullptr;
    if (bar) tl5::FitDialogBar(bar, dialog);
    ppc::SHHandleWMSettingChange(dialog, ppc::SPI_SETSIPINFO, 0, &frame->activation);
}

void HandleDialogFrameMessage(HWND dialog, DialogFrame* frame, UINT message, WPARAM wParam, LPARAM lParam,
                              bool activation) {
    switch (message) {
    case WM_SETTINGCHANGE:
        ppc::SHHandleWMSettingChange(dialog, wParam, lParam, &frame->activation);
        break;
    case WM_ACTIVATE:
        if (activation) ppc::SHHandleWMActivate(dialog, wParam, lParam, &frame->activation, 0);
        break;
    case WM_SIZE:
        if (HWND bar = GetDlgItem(dialog, tl5::kDialogBarControlId)) tl5::FitDialogBar(bar, dialog);
        break;
    default:
        break;
    }
}

void NoteActivity() { tl5::NoteActivity(); }

bool OpenWebPage(const wchar_t* address) {
    if (!address || !*address) return false;
    return ppc::StartDeviceProgram(L"iexplore.exe", address);
}

}  // namespace tl5win
