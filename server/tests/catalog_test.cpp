#include "catalog.h"

#include <gtest/gtest.h>

namespace {

TEST(Catalog, RoundTripsThroughItsFile) {
    Catalog catalog;
    SampleTask task;
    task.flowNumber = 12;
    task.name = "gate";
    task.synopsisPath = "E:\\AstRP_1v2\\summary\\12\\summary.mp4";
    task.sourcePath = "E:\\AstRP_1v2\\video\\12\\cam01.mp4";
    task.tubePath = "E:\\AstRP_1v2\\tube\\12\\12.tbi";
    task.params = {{"type", "1"}, {"sensitivity", "0"}};
    catalog.tasks.push_back(task);
    catalog.uploads.push_back(UploadedVideo{3, "E:\\AstRP_1v2\\upload\\3\\a.mp4"});

    std::string error;
    const auto read = ReadCatalog(WriteCatalog(catalog), error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(1u, read->tasks.size());
    EXPECT_EQ(task.synopsisPath, read->FindTask(12)->synopsisPath);
    EXPECT_EQ(task.tubePath, read->FindTask(12)->tubePath);
    EXPECT_EQ(task.params, read->FindTask(12)->params);
    EXPECT_EQ(catalog.uploads[0].transcodedPath, read->FindUpload(3)->transcodedPath);
    EXPECT_EQ(nullptr, read->FindTask(13));
}

TEST(Catalog, RejectsMalformedFilesWithTheLine) {
    std::string error;
    EXPECT_FALSE(ReadCatalog("name=x\n", error));
    EXPECT_NE(std::string::npos, error.find("line 1"));
    EXPECT_FALSE(ReadCatalog("[task]\n", error));
    EXPECT_FALSE(ReadCatalog("[task 99999999999]\n", error));
    EXPECT_FALSE(ReadCatalog("[camera 1]\n", error));
    EXPECT_FALSE(ReadCatalog("[task 1]\nbogus=1\n", error));
    EXPECT_FALSE(ReadCatalog("[task 1\n", error));
}

TEST(ServerPaths, RelativePartAndBack) {
    EXPECT_EQ("summary/12/s.mp4", RelativeOfServerPath("E:\\AstRP_1v2\\summary\\12\\s.mp4"));
    EXPECT_EQ("", RelativeOfServerPath("D:\\video\\a.mp4"));
    EXPECT_EQ("", RelativeOfServerPath("E:\\AstRP_1v2\\"));
    EXPECT_EQ("E:\\AstRP_1v2\\summary\\12\\s.mp4", ServerPathOf("summary/12/s.mp4"));
}

} // namespace
