// The dialog bar window class: registration, content, fitting and what it paints.
#include "cardui/Gradient.h"
#include "cardui/win/DialogBar.h"
#include "cardui/win/FontCache.h"
#include "platform/pocketpc/DeviceScreen.h"
#include "cardui/win/ImageLists.h"
#include "tests/win/AppProcess.h"
#include "tests/win/IconFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace tl5;
using namespace tl5win;
using iconfixture::Canvas;

namespace {

const wchar_t kHostClass[] = L"tl5.DialogBarTestHost";

HMODULE AppResources() {
    static HMODULE module = [] {
        const std::wstring path = AppProcess::BinaryFolder() + APP_EXE_NAME;
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

class DialogBar : public ::testing::Test {
protected:
    void SetUp() override {
        instance_ = GetModuleHandleW(nullptr);
        ASSERT_TRUE(RegisterDialogBarClass(instance_));
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance_;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kHostClass;
        RegisterClassExW(&wc);
        // A dialog-like host of the device screen's width.
        host_ = CreateWindowExW(0, kHostClass, L"host", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr,
                                instance_, nullptr);
        ASSERT_NE(host_, nullptr);
        SetDialogBarGlobals(26, nullptr);
        SetDialogBarColors(0x00FEECDD, 0x00E2A981, RGB(0, 0, 0));
    }
    void TearDown() override {
        if (host_) DestroyWindow(host_);
        DestroyIconImageLists();
    }

    HWND MakeBar(const wchar_t* caption) {
        return CreateDialogBar(host_, caption, WS_VISIBLE, POINT{0, 0}, instance_);
    }

    // The bar as it paints itself, on a canvas of its size.
    static void Paint(HWND bar, Canvas& canvas) {
        SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    }

    static int Width(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r.right - r.left;
    }

    HINSTANCE instance_ = nullptr;
    HWND host_ = nullptr;
};

TEST_F(DialogBar, ClassIsRegisteredAndCanBeUnregistered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(instance_, L"OWDlgBar", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(RegisterDialogBarClass(instance_)) << "registering twice is harmless";
    EXPECT_TRUE(RegisterDialogBarClass(instance_, true));
    EXPECT_FALSE(GetClassInfoExW(instance_, L"OWDlgBar", &wc));
    // Creating a bar registers the class again when needed.
    HWND bar = MakeBar(L"again");
    EXPECT_NE(bar, nullptr);
    EXPECT_TRUE(GetClassInfoExW(instance_, L"OWDlgBar", &wc));
}

TEST_F(DialogBar, CreatedAsWideAsTheParentPlusOneAndFittedToTheClient) {
    HWND bar = MakeBar(L"Wallets");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), kDialogBarControlId);
    EXPECT_EQ(Width(bar), 241);
    RECT r{};
    GetClientRect(bar, &r);
    EXPECT_EQ(r.bottom, 26);
    wchar_t text[64] = {};
    GetWindowTextW(bar, text, 64);
    EXPECT_STREQ(text, L"Wallets");

    MoveWindow(host_, 0, 0, 200, 300, FALSE);
    SetDialogBarGlobals(30, nullptr);
    FitDialogBar(bar, host_);
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 201);
    EXPECT_EQ(r.bottom - r.top, 30);
}

TEST_F(DialogBar, PaintsTheGradientIconAndCaption) {
    HWND bar = MakeBar(L"");
    ASSERT_TRUE(SetDialogBarContent(bar, L"Options", 221, AppResources()));
    wchar_t text[64] = {};
    GetWindowTextW(bar, text, 64);
    EXPECT_STREQ(text, L"Options");
    ASSERT_NE(GetDialogBarContent(bar), nullptr);
    EXPECT_EQ(GetDialogBarContent(bar)->icon, 221);

    const int w = Width(bar);
    Canvas canvas(w, 26, RGB(1, 2, 3));
    Paint(bar, canvas);
    // The right end of the bar holds neither icon nor caption: every row is its gradient band; the
    // gradient covers rows 0..24 and the last row is the white background.
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(canvas.At(w - 3, y), GradientBandColor(0x00FEECDD, 0x00E2A981, y, 25)) << "row " << y;
    }
    EXPECT_EQ(canvas.At(w - 3, 25), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(w - 3, 0), RGB(221, 236, 254));

    // The 16-pixel icon at (5, 5): not the bare gradient.
    const int margin = (26 - IconSize()) / 2;
    int iconPixels = 0;
    for (int y = margin; y < margin + IconSize(); ++y) {
        for (int x = margin; x < margin + IconSize(); ++x) {
            if (canvas.At(x, y) != GradientBandColor(0x00FEECDD, 0x00E2A981, y, 25)) ++iconPixels;
        }
    }
    EXPECT_GT(iconPixels, IconSize() * IconSize() / 4);

    // Black caption pixels right of the icon, vertically centred (none in the top and bottom rows).
    int captionPixels = 0;
    for (int y = 0; y < 26; ++y) {
        for (int x = margin + IconSize() + 5; x < w - 5; ++x) {
            const COLORREF c = canvas.At(x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80) {
                ++captionPixels;
                EXPECT_GT(y, 2);
                EXPECT_LT(y, 23);
            }
        }
    }
    EXPECT_GT(captionPixels, 20);
}

TEST_F(DialogBar, LongCaptionIsClippedFiveScaledPixelsBeforeTheRightEdge) {
    HWND bar = MakeBar(L"");
    ASSERT_TRUE(SetDialogBarContent(bar, std::wstring(200, L'W').c_str(), 0, nullptr));
    const int w = Width(bar);
    Canvas canvas(w, 26, RGB(1, 2, 3));
    Paint(bar, canvas);
    int nearEdge = 0;
    for (int y = 0; y < 25; ++y) {
        const COLORREF band = GradientBandColor(0x00FEECDD, 0x00E2A981, y, 25);
        for (int x = w - ppc::Scale(5); x < w; ++x) EXPECT_EQ(canvas.At(x, y), band) << x << "," << y;
        for (int x = w - ppc::Scale(5) - 12; x < w - ppc::Scale(5); ++x) nearEdge += canvas.At(x, y) != band;
    }
    EXPECT_GT(nearEdge, 0) << "the caption runs up to the clip edge";
    // Without an icon the caption starts 5 (scaled) pixels from the left.
    bool textAtLeft = false;
    for (int y = 0; y < 25; ++y) {
        const COLORREF band = GradientBandColor(0x00FEECDD, 0x00E2A981, y, 25);
        for (int x = 0; x < ppc::Scale(5); ++x) EXPECT_EQ(canvas.At(x, y), band);
        for (int x = ppc::Scale(5); x < ppc::Scale(5) + 6; ++x) textAtLeft |= canvas.At(x, y) != band;
    }
    EXPECT_TRUE(textAtLeft);
}

TEST_F(DialogBar, ImageListAndCustomIcons) {
    SetIconResourceInstance(AppResources());
    HWND bar = MakeBar(L"");
    const int margin = (26 - IconSize()) / 2;
    const int mid = margin + IconSize() / 2;

    // Image list: the image is drawn (here the 16-pixel list's image of a custom icon).
    const std::vector<uint8_t> green = iconfixture::MakeIcon({{16, 0x10C010}, {32, 0x10C010}});
    const int image = CustomIconIndex(green.data(), green.size());
    ASSERT_EQ(image, 148);
    ASSERT_TRUE(SetDialogBarContent(bar, L"Card", image, nullptr, StockIconList(IconSize())));
    Canvas withList(Width(bar), 26, RGB(1, 2, 3));
    Paint(bar, withList);
    EXPECT_EQ(withList.At(mid, mid), RGB(0x10, 0xC0, 0x10));

    // Custom icon from icon data.
    const std::vector<uint8_t> red = iconfixture::MakeIcon({{32, 0xD02020}, {16, 0xD02020}});
    ASSERT_TRUE(SetDialogBarContent(bar, L"Card", kDialogBarCustomIcon, nullptr, nullptr, red.data(), red.size()));
    EXPECT_NE(GetDialogBarContent(bar)->customSmall, nullptr);
    EXPECT_NE(GetDialogBarContent(bar)->customLarge, nullptr);
    Canvas custom(Width(bar), 26, RGB(1, 2, 3));
    Paint(bar, custom);
    EXPECT_EQ(custom.At(mid, mid), RGB(0xD0, 0x20, 0x20));
    EXPECT_EQ(custom.At(margin, margin), GradientBandColor(0x00FEECDD, 0x00E2A981, margin, 25))
        << "the icon's transparent corner shows the gradient";

    // Unreadable icon data: no icon, the caption moves to the left edge.
    const std::vector<uint8_t> garbage(64, 0xEE);
    ASSERT_TRUE(SetDialogBarContent(bar, L"Card", kDialogBarCustomIcon, nullptr, nullptr, garbage.data(),
                                    garbage.size()));
    EXPECT_EQ(GetDialogBarContent(bar)->customSmall, nullptr);
    Canvas none(Width(bar), 26, RGB(1, 2, 3));
    Paint(bar, none);
    EXPECT_EQ(none.At(mid, mid), none.At(Width(bar) - 3, mid)) << "gradient only where the icon was";
}

TEST_F(DialogBar, WithoutContentItPaintsAsAPlainWindow) {
    HWND bar = MakeBar(L"Plain");
    Canvas canvas(Width(bar), 26, RGB(1, 2, 3));
    Paint(bar, canvas);
    for (int y = 0; y < 26; y += 5) {
        for (int x = 0; x < Width(bar); x += 7) ASSERT_EQ(canvas.At(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
    EXPECT_FALSE(SetDialogBarContent(host_, L"not a bar", 0, nullptr));
    EXPECT_EQ(GetDialogBarContent(host_), nullptr);
}

TEST_F(DialogBar, GradientFillsMatchTheBandArithmetic) {
    Canvas canvas(300, 40, RGB(9, 9, 9));
    const RECT r{10, 5, 266, 25};
    FillGradient(canvas.Dc(), r, RGB(0, 0, 0), RGB(255, 255, 255), false);
    EXPECT_EQ(canvas.At(10, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(11, 24), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(265, 10), RGB(254, 254, 254));
    EXPECT_EQ(canvas.At(266, 10), RGB(9, 9, 9));
    EXPECT_EQ(canvas.At(100, 25), RGB(9, 9, 9));

    const RECT part{0, 30, 50, 34};
    FillGradientPart(canvas.Dc(), part, RGB(255, 244, 204), RGB(255, 208, 145), RECT{0, 0, 50, 23});
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(canvas.At(20, 30 + k), GradientBandColor(RGB(255, 244, 204), RGB(255, 208, 145), k, 23));
    }
    FillGradient(canvas.Dc(), RECT{5, 5, 5, 30}, RGB(255, 0, 0), RGB(0, 0, 255), true);   // empty: nothing
    EXPECT_EQ(canvas.At(5, 4), RGB(9, 9, 9));
}

}  // namespace
