#include "dialogs/win/About.h"

#include "StringIds.h"
#include "cardui/win/DialogControls.h"
#include "cardui/win/DialogHost.h"
#include "cardui/win/FontCache.h"
#include "cardui/win/Strings.h"
#include "platform/pocketpc/Shell.h"
#include "resources/resource.h"

namespace tl5win {

namespace {

// The maker's home page.
constexpr wchar_t kHomePage[] = L"http://www.ostrovaworks.com";

class AboutDialog : public Dialog {
public:
    explicit AboutDialog(const std::wstring& protection) : Dialog(IDD_ABOUT), protection_(protection) {}

private:
    DialogFrameSpec Frame() override { return {Text(IDS_ABOUT), IDI_TL_APP, IDMB_ABOUT}; }

    bool OnInit() override {
        HFONT bold = AppFontCache().Font(kFont85Bold);
        for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_INVITATION})
            SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
        SendMessageW(Item(IDC_ABOUT_LINK), WM_SETFONT,
                     reinterpret_cast<WPARAM>(AppFontCache().Font(kFont85BoldUnderlined)), FALSE);
        SetWindowTextW(Item(IDC_ABOUT_PROTECTION), protection_.c_str());
        for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_LINK, IDC_ABOUT_INVITATION,
                       IDC_ABOUT_PROTECTION})
            StretchControl(Window(), id);
        return true;
    }

    HBRUSH OnControlColor(UINT message, HDC dc, HWND control) override {
        const int id = GetDlgCtrlID(control);
        if (message != WM_CTLCOLORSTATIC || (id != IDC_ABOUT_VERSION && id != IDC_ABOUT_LINK)) return nullptr;
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkColor(dc, RGB(255, 255, 255));
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }

    bool OnSetCursor(HWND over) override {
        if (over != Item(IDC_ABOUT_LINK)) return false;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return true;
    }

    bool OnCommand(int id, int code, HWND) override {
        if (id == IDM_WEB_SITE || (id == IDC_ABOUT_LINK && code == STN_CLICKED)) {
            ppc::StartDeviceProgram(L"iexplore.exe", kHomePage);
            return true;
        }
        if (id == IDM_DONE || id == IDM_CANCEL || id == IDOK || id == IDCANCEL) {
            End(id);
            return true;
        }
        return false;
    }

    std::wstring protection_;
};

}  // namespace

void ShowAbout(HWND parent, const std::wstring& protection) {
    AboutDialog about(protection);
    RunDialog(parent, about);
}

}  // namespace tl5win
