#include "replies.h"
#include "sample_data.h"

#include <gtest/gtest.h>

namespace {

const Catalog& Sample() {
    static const Catalog catalog = MakeSampleData().catalog;
    return catalog;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
    const size_t a = text.find(open);
    const size_t b = text.find(close);
    if (a == std::string::npos || b == std::string::npos || b < a + open.size())
        return "<missing>";
    return text.substr(a + open.size(), b - a - open.size());
}

TEST(Replies, SynopsisPathEndsWithALineEndBeforeTheClosingTag) {
    const std::string reply = SynopsisQueryReply(Sample(), "12");
    EXPECT_EQ("E:\\AstRP_1v2\\summary\\12\\summary.mp4\r\n",
              Between(reply, "<summarypath>", "</summarypath>"));
}

TEST(Replies, EveryQueryNamesItsTaskPath) {
    EXPECT_EQ("E:\\AstRP_1v2\\video\\12\\cam01.mp4\r\n",
              Between(TaskDetailReply(Sample(), "12"), "<sourceUrl>", "</sourceUrl>"));
    EXPECT_EQ("E:\\AstRP_1v2\\upload\\3\\cam01_transcoded.mp4",
              Between(TranscodeStatusReply(Sample(), "3"), "<destURI><![CDATA[", "]]></destURI>"));
    const std::string tube = TubeInfoReply(Sample(), "12");
    EXPECT_EQ("0", Between(tube, "<ret>", "</ret>"));
    EXPECT_EQ("\\\\tube\\\\12\\\\12.tbi", Between(tube, "<fileurl>", "</fileurl>"));
}

TEST(Replies, TaskDetailCarriesTheParametersInOrder) {
    const std::string reply = TaskDetailReply(Sample(), "12");
    EXPECT_EQ("1", Between(reply, "<type>", "</type>"));
    EXPECT_LT(reply.find("<type>"), reply.find("<sensitivity>"));
    EXPECT_EQ("3", Between(reply, "<obj_type>", "</obj_type>"));
}

TEST(Replies, UnknownOrMalformedNumbersGiveNoValueTags) {
    for (const char* flow : {"99", "", "abc", "-1", "12abc"}) {
        const std::string reply = SynopsisQueryReply(Sample(), flow);
        if (std::string(flow) == "12abc") { // intval("12abc") is 12
            EXPECT_NE(std::string::npos, reply.find("<summarypath>"));
            continue;
        }
        EXPECT_EQ(std::string::npos, reply.find("<summarypath>")) << flow;
        EXPECT_EQ(std::string::npos, TaskDetailReply(Sample(), flow).find("<sourceUrl>")) << flow;
        EXPECT_EQ("-1", Between(TubeInfoReply(Sample(), flow), "<ret>", "</ret>")) << flow;
    }
    EXPECT_EQ(std::string::npos, TranscodeStatusReply(Sample(), "4").find("<destURI>"));
}

TEST(Replies, PhpIntvalReadsLeadingDigits) {
    EXPECT_EQ(12, PhpIntval(" 12x"));
    EXPECT_EQ(-4, PhpIntval("-4"));
    EXPECT_EQ(0, PhpIntval("x"));
    EXPECT_EQ(2147483647, PhpIntval("99999999999999"));
}

} // namespace
