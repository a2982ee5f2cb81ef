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
    // The server names the fragment after the seconds it was asked for, so
    // the address handed over shows the request too.
    struct Case {
        int32_t start, end;
        const char* fragment;
    };
    const Case cases[] = {
        {50, 100, "/fragment/video_12_cam01_0_5.mp4"},
        {100, 350, "/fragment/video_12_cam01_2_13.mp4"},
    };
    std::string expected;
    for (const Case& c : cases) {
        m_panel.SetTaskId(12);
        m_panel.SetVideoSource(L"", kSource12, c.start, c.end, 1, 1, m_server);
        m_harness.Press(IDC_DOWNLOAD);
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
