// The picture data of the parameter string goes through the thread's ANSI
// code page: GBK (936) bytes become the matching UTF-16 text and back.
#include "parameter_parsers.h"
#include "parameter_writers.h"
#include "thread_ansi_text.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class ChineseThreadLocale : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = GetThreadLocale();
        ASSERT_TRUE(SetThreadLocale(MAKELCID(0x804, SORT_DEFAULT)));
        CPINFOEXW info = {};
        ASSERT_TRUE(GetCPInfoExW(CP_THREAD_ACP, 0, &info));
        ASSERT_EQ(936u, info.CodePage);
    }
    void TearDown() override { SetThreadLocale(m_saved); }

private:
    LCID m_saved = 0;
};

const char kGbkNiHao[] = "\xC4\xE3\xBA\xC3"; // 你好 in code page 936

TEST_F(ChineseThreadLocale, ConversionsFollowTheThreadCodePage) {
    EXPECT_EQ(L"你好", ThreadAnsiToWide(kGbkNiHao));
    EXPECT_EQ(kGbkNiHao, WideToThreadAnsiText(L"你好"));
    EXPECT_EQ(L"", ThreadAnsiToWide(""));
    EXPECT_EQ("", WideToThreadAnsiText(L""));
}

TEST_F(ChineseThreadLocale, PictureDataWidenedAndNarrowedInTheParameterString) {
    TaskParams params;
    params.type = 2;
    params.request_image_data = std::string("QUJD") + kGbkNiHao;
    params.request_mask_data = "AQ==";
    const std::wstring text = PanelString(params, ThreadAnsiToWide);
    EXPECT_NE(std::wstring::npos,
              text.find(L"&request_image_data=QUJD你好&request_mask_data=AQ=="));

    TaskParams read;
    RegionSetting region;
    TripwireSetting tripwire;
    read.type = 1;
    ASSERT_TRUE(ParseParameterString(text, read, region, tripwire, WideToThreadAnsiText));
    EXPECT_EQ(2, read.type);
    EXPECT_EQ("", read.request_image_data); // synopsis only: picture data not read

    const std::wstring retrieval = L"type=0" + text.substr(6) + L"&obj_type=1";
    ASSERT_TRUE(ParseParameterString(retrieval, read, region, tripwire, WideToThreadAnsiText));
    EXPECT_EQ(params.request_image_data, read.request_image_data);
    EXPECT_EQ("AQ==", read.request_mask_data);
}

} // namespace
