// What the playback panel hands the system's download prompt: a recording
// stand-in "shdocvw.dll" lies beside this program (and Wine is told to
// prefer it for this program), so each address is read back as it was given.
#include "module_path.h"
#include "panel_harness.h"
#include "resource.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

class DownloadAddressTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(Record().c_str());
        ASSERT_TRUE(m_harness.Create());
        m_server = SampleServerFixture::Get().Server();
    }
    void TearDown() override { m_harness.Destroy(); }

    static std::wstring Record() {
        return ModuleFolder(GetModuleHandleW(nullptr)) + L"\\DoFileDownload.txt";
    }
    // The addresses handed over so far.
    static std::string Handed() { return ReadFileBytes(Record()).value_or(""); }

    PanelHarness m_harness;
    CVideoPlayDlg& m_panel = m_harness.Panel();
    std::wstring m_server;
};

TEST_F(DownloadAddressTest, AnObjectsStretchStartsTwoSecondsEarlierAtTheServersAddress) {
    struct Case {
        int32_t start, end;
        const char* request; // what the server is asked
        const char* fragment;
    };
    const Case cases[] = {
        {50, 100, "ss=0&endpos=5", "/fragment/video_12_cam01_0_5.mp4"},
        {100, 350, "ss=2&endpos=13", "/fragment/video_12_cam01_2_13.mp4"},
    };
    std::string expected;
    for (const Case& c : cases) {
        m_panel.SetTaskId(12);
        m_panel.SetVideoSource(L"", kSource12, c.start, c.end, 1, 1, m_server);
        const size_t before = SampleServerFixture::Get().LogSize();
        m_harness.Press(IDC_DOWNLOAD);
        bool asked = false;
        for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(before))
            asked |= r.target == std::string("/getorgvideofragmenturl.php?filename=E:/AstRP_1v2/"
                                             "video/12/cam01.mp4&") +
                                     c.request;
        EXPECT_TRUE(asked) << c.request;
        expected += "http://" + std::string(m_server.begin(), m_server.end()) + c.fragment + "\n";
    }
    EXPECT_EQ(expected, Handed());
}

TEST_F(DownloadAddressTest, OtherAddressesGetTheSchemeOnlyWhenTheyLackIt) {
    m_panel.SetVideoSource(L"http://10.0.0.5:81/v/a b.mp4", kSource12, 0, 0, 0, 0, m_server);
    m_harness.Press(IDC_DOWNLOAD);
    m_panel.SetVideoSource(L"10.0.0.5/v/c.mp4", kSource12, 0, 0, 0, 0, m_server);
    m_harness.Press(IDC_CUT);
    m_panel.SetSynopsisSource(L"http://10.0.0.5//summary/12/summary.mp4", kSource12, m_server);
    m_harness.Press(IDC_DOWNLOAD);
    EXPECT_EQ("http://10.0.0.5:81/v/a%20b.mp4\n"
              "http://10.0.0.5/v/c.mp4\n"
              "http://10.0.0.5//summary/12/summary.mp4\n",
              Handed());
}

} // namespace
