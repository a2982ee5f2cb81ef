#include "request_paths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(ScriptNameOf, TopLevelPhpNamesIgnoringCaseAndExtraSlashes) {
    EXPECT_EQ("query_ex.php", ScriptNameOf("/query_ex.php"));
    EXPECT_EQ("taskdetail.php", ScriptNameOf("//taskDetail.php"));
    EXPECT_EQ("server.php", ScriptNameOf("/Server.php"));
    EXPECT_EQ("", ScriptNameOf("/a/query_ex.php"));
    EXPECT_EQ("", ScriptNameOf("/summary.mp4"));
    EXPECT_EQ("", ScriptNameOf("/.php"));
}

class FileForRequestPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_base = std::filesystem::temp_directory_path() /
                 ("vr_paths_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_base);
        std::filesystem::create_directories(m_base / "root" / "summary");
        std::ofstream(m_base / "root" / "summary" / "a.mp4") << "x";
        std::ofstream(m_base / "secret.txt") << "secret";
    }
    void TearDown() override { std::filesystem::remove_all(m_base); }
    std::filesystem::path Root() const { return m_base / "root"; }
    std::filesystem::path m_base;
};

TEST_F(FileForRequestPathTest, MapsPathsBelowTheRoot) {
    EXPECT_EQ(Root() / "summary" / "a.mp4", FileForRequestPath(Root(), "/summary/a.mp4"));
    EXPECT_EQ(Root() / "summary" / "a.mp4", FileForRequestPath(Root(), "//summary//a.mp4"));
}

TEST_F(FileForRequestPathTest, RefusesEverythingThatCouldLeaveTheRoot) {
    EXPECT_FALSE(FileForRequestPath(Root(), "/../secret.txt"));
    EXPECT_FALSE(FileForRequestPath(Root(), "/summary/../../secret.txt"));
    EXPECT_FALSE(FileForRequestPath(Root(), "/./summary/a.mp4"));
    EXPECT_FALSE(FileForRequestPath(Root(), "/summary\\..\\..\\secret.txt"));
    EXPECT_FALSE(FileForRequestPath(Root(), std::string("/summary/a.mp4\0x", 16)));
    EXPECT_FALSE(FileForRequestPath(Root(), "/"));
    std::filesystem::create_directory_symlink(m_base, Root() / "out");
    EXPECT_FALSE(FileForRequestPath(Root(), "/out/secret.txt"));
}

} // namespace
