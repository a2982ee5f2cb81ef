// The search-by-picture request: what is taken from the task detail and the
// body posted with it.
#include "search_task_request.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kDetail[] = L"<result>\r\n<sourceUrl>D:\\v\\a.mp4</sourceUrl>\r\n"
                          L"<sensitivity>3</sensitivity><UDR_exist>1</UDR_exist>"
                          L"<UDR_setting>10,10;90,90</UDR_setting><snap_type>1</snap_type>"
                          L"<drop_frm_rate>2</drop_frm_rate>\r\n</result>";

TEST(SearchTaskRequest, BodyCarriesTheDetailValuesInOrderWithDoubledBackslashes) {
    const auto source = ReadSearchTaskSource(kDetail);
    ASSERT_TRUE(source);
    EXPECT_EQ(L"sourceUrl=file://D:\\\\v\\\\a.mp4&sensitivity=3&UDR_exist=1"
              L"&UDR_setting=10,10;90,90&enable_search_by_image=1&type=0&obj_enable=1"
              L"&obj_type=2&snap_type=1&drop_frm_rate=2&request_image_data=ab+/="
              L"&request_mask_data=",
              SearchTaskBody(*source, 2, "ab+/=", ""));
    EXPECT_EQ(L"http://h:8//taskdetail.php?flowNumber=-3", SearchTaskDetailUrl(L"h:8", -3));
    EXPECT_EQ(L"http://h:8//submittask.php", SubmitTaskUrl(L"h:8"));
}

TEST(SearchTaskRequest, AnyMissingOpeningTagFailsAndAMissingClosingTagGivesEmpty) {
    for (const wchar_t* key : {L"<sourceUrl>", L"<sensitivity>", L"<UDR_exist>", L"<UDR_setting>",
                               L"<snap_type>", L"<drop_frm_rate>"}) {
        std::wstring reply = kDetail;
        reply.erase(reply.find(key), wcslen(key));
        EXPECT_FALSE(ReadSearchTaskSource(reply)) << testing::PrintToString(std::wstring(key));
    }
    std::wstring unclosed = kDetail;
    unclosed.erase(unclosed.find(L"</snap_type>"), 12);
    const auto source = ReadSearchTaskSource(unclosed);
    ASSERT_TRUE(source);
    EXPECT_EQ(L"", source->snapType);
    EXPECT_EQ(L"2", source->dropFrameRate);
    // A closing tag before the opening one gives an empty value too.
    EXPECT_EQ(L"", CutReplyValue(L"</flowNumber><flowNumber>5", L"flowNumber"));
    EXPECT_EQ(std::nullopt, CutReplyValue(L"<ret>-1</ret>", L"flowNumber"));
}

} // namespace
