#include "file_name_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNameFromPath, TakesWhatFollowsTheLastSeparator) {
    EXPECT_EQ(FileNameFromPath(L"C:\\pictures\\car.jpg"), L"car.jpg");
    EXPECT_EQ(FileNameFromPath(L"Z:/work/a b/it's.png"), L"it's.png");
    EXPECT_EQ(FileNameFromPath(L"\\\\server\\share\\x\\y.bmp"), L"y.bmp");
    EXPECT_EQ(FileNameFromPath(L"D:plain.jpg"), L"plain.jpg");
    EXPECT_EQ(FileNameFromPath(L"bare.jpg"), L"bare.jpg");
    EXPECT_EQ(FileNameFromPath(L"C:\\folder\\"), L"");
    EXPECT_EQ(FileNameFromPath(L""), L"");
}

TEST(FileNameUnits, AsciiCountsOneAndOtherCharactersTwo) {
    EXPECT_EQ(FileNameUnits(L""), 0u);
    EXPECT_EQ(FileNameUnits(L"car.jpg"), 7u);
    EXPECT_EQ(FileNameUnits(L"\u8f66\u724c.jpg"), 8u); // two Chinese characters
    EXPECT_EQ(FileNameUnits(L"\u00e9"), 2u);           // any non-ASCII character
    EXPECT_EQ(FileNameUnits(std::wstring(78, L'\u6c49')), 156u);
}

TEST(FileNameUnits, ACharacterOutsideTheBasicPlaneCountsFourEitherWay) {
#if WCHAR_MAX > 0xFFFF
    const std::wstring emoji(1, static_cast<wchar_t>(0x1F600));
#else
    const std::wstring emoji = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
#endif
    EXPECT_EQ(FileNameUnits(emoji), 4u);
}

} // namespace
