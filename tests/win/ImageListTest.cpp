// The shared icon image lists, drawn from the application's own icon resources.
#include "cardui/IconReader.h"
#include "cardui/win/ImageLists.h"
#include "tests/win/AppProcess.h"
#include "tests/win/IconFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace tl5;
using namespace tl5win;
using iconfixture::Canvas;
using iconfixture::MakeIcon;

namespace {

const COLORREF kBackground = RGB(255, 0, 255);

// The application's exe, loaded for its resources only.
HMODULE AppResources() {
    static HMODULE module = [] {
        const std::wstring path = AppProcess::BinaryFolder() + APP_EXE_NAME;
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(AppResources(), nullptr);
        // Every test starts without lists (and without the custom icons earlier tests may have added).
        DestroyIconImageLists();
        SetIconResourceInstance(AppResources());
    }
    void TearDown() override { DestroyIconImageLists(); }

    // Draws an icon resource at (0, 0) of a canvas.
    static void DrawResource(Canvas& canvas, int resource, int size) {
        HICON icon = static_cast<HICON>(
            LoadImageW(AppResources(), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << resource;
        DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }

    // How far image `image` of `list` is from icon resource `resource`, both drawn at `size`.
    static long Distance(HIMAGELIST list, int image, int resource, int size) {
        Canvas fromList(size, size, kBackground);
        Canvas fromResource(size, size, kBackground);
        ImageList_Draw(list, image, fromList.Dc(), 0, 0, ILD_TRANSPARENT);
        DrawResource(fromResource, resource, size);
        return fromList.Difference(fromResource, 0, 0, size);
    }
};

TEST_F(ImageLists, StockIconKIsImageKPlusFourAtBothSizes) {
    for (int size : {16, 32}) {
        HIMAGELIST list = StockIconList(size);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(StockIconList(size), list) << "made once";
        EXPECT_EQ(ImageList_GetImageCount(list), kFirstCustomImage) << size;
        int cx = 0;
        int cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
        // A close match for its own resource, and clearly closer than the neighbouring resources.
        const long tolerance = 3L * size * size;   // at most about one level per channel on average
        for (int k = 0; k < kStockIconCount; ++k) {
            const long own = Distance(list, StockIconImage(k), 300 + k, size);
            EXPECT_LE(own, tolerance) << "stock icon " << k << " at " << size;
            if (k > 0) {
                EXPECT_GT(Distance(list, StockIconImage(k), 300 + k - 1, size), own + 8 * tolerance)
                    << "stock icon " << k << " looks like " << k - 1 << " at " << size;
            }
        }
        for (int i = 0; i < 4; ++i) EXPECT_LE(Distance(list, i, 296 + i, size), tolerance) << "overlay " << i;
    }
    EXPECT_EQ(StockIconCount(), 144);
    EXPECT_EQ(TotalIconCount(), 144);
}

TEST_F(ImageLists, ActionAndSingleListsHoldTheirIcons) {
    for (int size : {16, 32}) {
        HIMAGELIST action = ActionIconList(size);
        ASSERT_NE(action, nullptr);
        ASSERT_EQ(ImageList_GetImageCount(action), 4);
        const int resources[] = {228, 229, 230, 214};
        for (int i = 0; i < 4; ++i) EXPECT_LE(Distance(action, i, resources[i], size), 3L * size * size) << i;
        EXPECT_GT(Distance(action, kActionIconPhone, 228, size), 30L * size * size);
        HIMAGELIST single = SingleIconList(size);
        ASSERT_NE(single, nullptr);
        ASSERT_EQ(ImageList_GetImageCount(single), 1);
        EXPECT_LE(Distance(single, 0, 227, size), 3L * size * size);
    }
}

TEST_F(ImageLists, BrowseBitmapsMakeTwoImagesOnAGreenKey) {
    struct Case { int resource, width; };
    for (const Case& c : {Case{180, 8}, Case{181, 16}}) {
        HIMAGELIST list = ImageList_LoadImageW(AppResources(), MAKEINTRESOURCEW(c.resource), c.width, 0,
                                               RGB(0, 255, 0), IMAGE_BITMAP, LR_CREATEDIBSECTION);
        ASSERT_NE(list, nullptr) << c.resource;
        EXPECT_EQ(ImageList_GetImageCount(list), 2);
        for (int image = 0; image < 2; ++image) {
            // Unfocused (0) is drawn on white, focused (1) on black: each must show dots in the
            // contrasting colour and nothing of the green key.
            const COLORREF back = image == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0);
            Canvas canvas(c.width, c.width, back);
            ImageList_Draw(list, image, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
            int dots = 0;
            for (int y = 0; y < c.width; ++y) {
                for (int x = 0; x < c.width; ++x) {
                    const COLORREF p = canvas.At(x, y);
                    EXPECT_NE(p, RGB(0, 255, 0)) << c.resource << " image " << image;
                    dots += p != back;
                }
            }
            EXPECT_GE(dots, 12) << c.resource << " image " << image;
        }
        ImageList_Destroy(list);
    }
}

TEST_F(ImageLists, SameCustomIconTwiceGivesOneIndex) {
    const std::vector<uint8_t> red = MakeIcon({{16, 0xE01010}, {32, 0xE01010}});
    const std::vector<uint8_t> redAgain = red;   // same bytes in another buffer
    const std::vector<uint8_t> blue = MakeIcon({{32, 0x1010E0}, {16, 0x1010E0}});

    EXPECT_EQ(CustomIconIndex(red.data(), red.size()), 148);
    EXPECT_EQ(CustomIconIndex(redAgain.data(), redAgain.size()), 148);
    EXPECT_EQ(CustomIconIndex(blue.data(), blue.size()), 149);
    EXPECT_EQ(CustomIconIndex(red.data(), red.size()), 148);
    EXPECT_EQ(TotalIconCount(), 146);
    for (int size : {16, 32}) {
        HIMAGELIST list = StockIconList(size);
        EXPECT_EQ(ImageList_GetImageCount(list), 150) << size;
        Canvas canvas(size, size, kBackground);
        ImageList_Draw(list, 149, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(canvas.At(size / 2, size / 2), RGB(0x10, 0x10, 0xE0)) << size;
        EXPECT_EQ(canvas.At(0, 0), kBackground) << "the transparent corner, at " << size;
    }
    // Destroying the lists empties the register: the next wallet starts again at 148.
    DestroyIconImageLists();
    EXPECT_EQ(TotalIconCount(), 144);
    EXPECT_EQ(CustomIconIndex(blue.data(), blue.size()), 148);
}

TEST_F(ImageLists, UnreadableCustomIconsLeaveTheListsUnchanged) {
    const std::vector<uint8_t> onlySmall = MakeIcon({{16, 0x20A020}});
    std::vector<uint8_t> cut = MakeIcon({{16, 0x20A020}, {32, 0x20A020}});
    cut.resize(cut.size() - 10);
    const std::vector<uint8_t> garbage(300, 0x5A);
    EXPECT_EQ(CustomIconIndex(onlySmall.data(), onlySmall.size()), -1);
    EXPECT_EQ(CustomIconIndex(cut.data(), cut.size()), -1);
    EXPECT_EQ(CustomIconIndex(garbage.data(), garbage.size()), -1);
    EXPECT_EQ(CustomIconIndex(nullptr, 0), -1);
    EXPECT_EQ(ImageList_GetImageCount(StockIconList(16)), 148);
    EXPECT_EQ(ImageList_GetImageCount(StockIconList(32)), 148);
    EXPECT_EQ(TotalIconCount(), 144);
}

TEST_F(ImageLists, FullRegisterRefusesFurtherIcons) {
    std::vector<uint8_t> icon = MakeIcon({{16, 0}, {32, 0}});
    for (int n = 0; n < kMaxCustomIcons; ++n) {
        // A different colour each time: a different digest.
        icon[6 + 32 + 40] = static_cast<uint8_t>(n);
        icon[6 + 32 + 41] = static_cast<uint8_t>(n >> 8);
        ASSERT_EQ(CustomIconIndex(icon.data(), icon.size()), 148 + n);
    }
    icon[6 + 32 + 42] = 0x77;
    EXPECT_EQ(CustomIconIndex(icon.data(), icon.size()), -1);
    EXPECT_EQ(TotalIconCount(), 144 + 512);
    EXPECT_EQ(ImageList_GetImageCount(StockIconList(16)), 148 + 512);
    // Icons already registered are still found.
    icon[6 + 32 + 42] = 0;
    icon[6 + 32 + 40] = 7;
    icon[6 + 32 + 41] = 0;
    EXPECT_EQ(CustomIconIndex(icon.data(), icon.size()), 155);
}

TEST_F(ImageLists, ReadIconMakesIconsOfTheWantedSize) {
    const std::vector<uint8_t> data = MakeIcon({{16, 0x3060C0}, {32, 0x3060C0}});
    for (int size : {16, 32}) {
        HICON icon = nullptr;
        ASSERT_EQ(ReadIcon(data.data(), data.size(), size, 24, false, &icon), kIconOk);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        Canvas canvas(size, size, kBackground);
        DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(canvas.At(size - 1, size - 1), RGB(0x30, 0x60, 0xC0));
        EXPECT_EQ(canvas.At(0, 0), kBackground);
        DestroyIcon(icon);
    }
    HICON none = nullptr;
    EXPECT_EQ(ReadIcon(data.data(), data.size(), 48, 0, true, &none), kIconNoSuchHeight);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(ReadIcon(data.data(), data.size(), 16, 0, true, nullptr), kIconMissingInput);
}

TEST_F(ImageLists, ReadIconFileChecksThePathAndTheFile) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tl5-icon-reader-test.ico";
    const std::vector<uint8_t> data = MakeIcon({{32, 0x808000}});
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);

    HICON icon = nullptr;
    EXPECT_EQ(ReadIconFile(path.c_str(), 32, 24, false, &icon), kIconOk);
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    EXPECT_EQ(ReadIconFile(path.c_str(), 16, 24, true, &icon), kIconNoSuchHeight);
    EXPECT_EQ(ReadIconFile(L"a.ic", 16, 24, true, &icon), kIconMissingInput);
    EXPECT_EQ(ReadIconFile(nullptr, 16, 24, true, &icon), kIconMissingInput);
    EXPECT_EQ(ReadIconFile((std::wstring(folder) + L"tl5-no-such-icon.ico").c_str(), 16, 24, true, &icon),
              kIconCannotRead);
    DeleteFileW(path.c_str());
}

}  // namespace
