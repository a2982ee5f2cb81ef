#include "request_log.h"

#include <gtest/gtest.h>

namespace {

TEST(RequestLog, RecordRoundTripsAnyBytes) {
    LoggedRequest request;
    request.method = "POST";
    request.target = "//submittask.php?a=\"b\"\\c";
    request.version = "HTTP/1.0";
    request.headers = {{"Content-Type", "application/x-www-form-urlencoded"}, {"X", ""}};
    request.body = std::string("\xD6\xD0\r\n\t\0end", 8);

    const std::string line = FormatLogRecord(request);
    EXPECT_EQ(std::string::npos, line.find('\n'));
    EXPECT_EQ(std::string::npos, line.find('\0'));
    LoggedRequest read;
    ASSERT_TRUE(ParseLogRecord(line, read));
    EXPECT_EQ(request.method, read.method);
    EXPECT_EQ(request.target, read.target);
    EXPECT_EQ(request.version, read.version);
    EXPECT_EQ(request.headers, read.headers);
    EXPECT_EQ(request.body, read.body);
}

TEST(RequestLog, RejectsDamagedLines) {
    const std::string line = FormatLogRecord(LoggedRequest{"GET", "/a", "HTTP/1.1", {}, ""});
    LoggedRequest read;
    EXPECT_TRUE(ParseLogRecord(line, read));
    EXPECT_FALSE(ParseLogRecord(line.substr(0, line.size() - 1), read));
    EXPECT_FALSE(ParseLogRecord(line + "x", read));
    EXPECT_FALSE(ParseLogRecord("{\"method\":\"G\\u01FF\"}", read));
    EXPECT_FALSE(ParseLogRecord("", read));
}

TEST(RequestLog, ReadsAWholeLogAndCountsWhatItSkips) {
    const std::string http = FormatLogRecord(LoggedRequest{"GET", "/a", "HTTP/1.1", {}, ""});
    const std::string media = FormatLogRecord(LoggedRequest{"OPEN", "E:\\x", "MEDIA/1", {}, ""});
    const std::string text = http + "\nnot a record\n" + media + "\n";
    size_t unreadable = 9;
    const auto records = ParseLogRecords(text, &unreadable);
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("/a", records[0].target);
    EXPECT_EQ("MEDIA/1", records[1].version);
    EXPECT_EQ(1u, unreadable);
}

} // namespace
