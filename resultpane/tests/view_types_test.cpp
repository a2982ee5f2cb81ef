// Each view type against the sample server: what is asked of the server, and
// which panel the activated control shows.
#include "ResultPane.h"
#include "control_site.h"
#include "dispatch_helpers.h"
#include "gdi.h"
#include "result_pane.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 714, kHeight = 586;

class ViewTypeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_TRUE(m_parent.Create(kWidth, kHeight));
        ASSERT_EQ(S_OK, CResultPane::CreateInstance(IID_ICResultPane, m_pane.ReceiveVoid()));
        m_site = new TestControlSite(m_parent.Hwnd(), RECT{0, 0, kWidth, kHeight});
        ASSERT_EQ(S_OK, ActivateInSite(m_pane.Get(), m_site, RECT{0, 0, kWidth, kHeight}));
        m_server = SampleServerFixture::Get().Server();
        Init(m_server);
    }
    void TearDown() override {
        if (auto object = m_pane.As<IOleObject>()) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
        }
        m_pane.Reset();
        if (m_site)
            m_site->Release();
        m_parent.Destroy();
        OleUninitialize();
    }

    CResultPane& Pane() { return *static_cast<CResultPane*>(m_pane.Get()); }
    HRESULT Init(const std::wstring& server) {
        BSTR address = SysAllocString(server.c_str());
        const HRESULT hr = m_pane->Ocx_Init(address, 0, nullptr, nullptr, nullptr);
        SysFreeString(address);
        return hr;
    }
    HRESULT View(ULONG id, ULONG type, const wchar_t* param = nullptr) {
        BSTR text = param ? SysAllocString(param) : nullptr;
        BSTR ret = nullptr;
        const HRESULT hr = m_pane->Ocx_ViewResultEx(id, type, text, &ret);
        EXPECT_EQ(nullptr, ret) << "strRet must stay unset";
        SysFreeString(text);
        return hr;
    }
    std::vector<std::string> TargetsSince(size_t offset) {
        std::vector<std::string> targets;
        for (const LoggedRequest& r : SampleServerFixture::Get().RequestsSince(offset))
            if (r.version != "MEDIA/1") // the panel's player talks to the media service too
                targets.push_back(r.target);
        return targets;
    }
    HWND ControlWindow() {
        HWND window = nullptr;
        m_pane.As<IOleWindow>()->GetWindow(&window);
        return window;
    }

    TestParentWindow m_parent;
    ComPtr<ICResultPane> m_pane;
    TestControlSite* m_site = nullptr;
    std::wstring m_server;
};

TEST_F(ViewTypeTest, ActivationShowsTheStartPanelFillingTheControl) {
    EXPECT_EQ(1, m_site->inPlaceActivations);
    HWND control = ControlWindow();
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(m_parent.Hwnd(), GetParent(control));
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    ASSERT_EQ(Pane().InitPanel().Hwnd(), Pane().CurrentPanel());
    EXPECT_TRUE(IsWindowVisible(Pane().CurrentPanel()));
    RECT panel;
    GetClientRect(Pane().CurrentPanel(), &panel);
    EXPECT_EQ(kWidth, panel.right);
    EXPECT_EQ(kHeight, panel.bottom);
}

// A container may take its site away without closing the control first.
TEST_F(ViewTypeTest, TakingTheSiteAwayWhileActiveDeactivatesAndLetsGoOfTheSite) {
    ASSERT_NE(nullptr, ControlWindow());
    m_site->AddRef();
    ASSERT_GT(m_site->Release(), 1u) << "the control holds the site while active";
    ASSERT_EQ(S_OK, m_pane.As<IOleObject>()->SetClientSite(nullptr));
    EXPECT_EQ(1, m_site->inPlaceDeactivations);
    EXPECT_EQ(nullptr, ControlWindow());
    m_site->AddRef();
    EXPECT_EQ(1u, m_site->Release()) << "only the test's own reference is left";
}

TEST_F(ViewTypeTest, NaturalExtentIsTheDialogSizeInHimetric) {
    // At 96 dots an inch the dialog's 357 x 293 units in its 9-point font
    // (base units of 7 x 14 pixels here) are 625 x 513 pixels; 625 / 96 inch
    // is 16536 hundredths of a millimetre (16536.46 rounded), 513 / 96 inch
    // 13573 (13573.13).
    WindowDC screen(nullptr);
    ASSERT_EQ(96, GetDeviceCaps(screen.Get(), LOGPIXELSX));
    ASSERT_EQ(96, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    RECT dialog = {0, 0, 357, 293};
    ASSERT_TRUE(MapDialogRect(ControlWindow(), &dialog));
    ASSERT_EQ(625, dialog.right);
    ASSERT_EQ(513, dialog.bottom);
    const LONG cx = 16536, cy = 13573;
    SIZEL natural = {};
    DVEXTENTINFO info = {sizeof(info), DVEXTENT_CONTENT, {0, 0}};
    ASSERT_EQ(S_OK, m_pane.As<IViewObjectEx>()->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr,
                                                                 nullptr, &info, &natural));
    EXPECT_EQ(cx, natural.cx);
    EXPECT_EQ(cy, natural.cy);

    // Until the container sets an extent, the object's extent is the natural one.
    ComPtr<ICResultPane> fresh;
    ASSERT_EQ(S_OK, CResultPane::CreateInstance(IID_ICResultPane, fresh.ReceiveVoid()));
    SIZEL extent = {};
    ASSERT_EQ(S_OK, fresh.As<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(cx, extent.cx);
    EXPECT_EQ(cy, extent.cy);
    SIZEL set = {1000, 2000};
    ASSERT_EQ(S_OK, fresh.As<IOleObject>()->SetExtent(DVASPECT_CONTENT, &set));
    ASSERT_EQ(S_OK, fresh.As<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(1000, extent.cx);
    EXPECT_EQ(2000, extent.cy);
}

TEST_F(ViewTypeTest, SynopsisAsksTheServerAndShowsThePlaybackPanel) {
    const size_t before = SampleServerFixture::Get().LogSize();
    HWND start = Pane().CurrentPanel();
    EXPECT_EQ(S_OK, View(12, 1));
    EXPECT_EQ((std::vector<std::string>{"/query_ex.php?flowNumber=12"}), TargetsSince(before));
    EXPECT_FALSE(IsWindow(start)) << "the start panel is destroyed";
    CVideoPlayDlg& video = Pane().VideoPanel();
    ASSERT_EQ(video.Hwnd(), Pane().CurrentPanel());
    EXPECT_TRUE(IsWindowVisible(video.Hwnd()));
    EXPECT_EQ(CVideoPlayDlg::kSynopsis, video.PlayMode());
    EXPECT_EQ(L"E:\\AstRP_1v2\\summary\\12\\summary.mp4", video.VideoPath());
    EXPECT_EQ(L"http://" + m_server + L"//summary/12/summary.mp4", video.VideoUrl());
    EXPECT_EQ(m_server.substr(0, m_server.find(L':')), video.ServerAddress());
    EXPECT_EQ(12, video.FlowNumber());
    EXPECT_EQ(1u, video.ListenerCount());

    // Again: the same window is reused and the callback stays registered once.
    HWND window = video.Hwnd();
    EXPECT_EQ(S_OK, View(12, 1));
    EXPECT_EQ(window, video.Hwnd());
    EXPECT_EQ(1u, video.ListenerCount());
}

TEST_F(ViewTypeTest, FailedQueryShowsNothingAndStillSucceeds) {
    const size_t before = SampleServerFixture::Get().LogSize();
    HWND start = Pane().CurrentPanel();
    EXPECT_EQ(S_OK, View(99, 1));
    EXPECT_EQ(S_OK, View(99, 6));
    EXPECT_EQ(S_OK, View(99, 2));
    EXPECT_EQ(
        (std::vector<std::string>{"/query_ex.php?flowNumber=99", "/taskDetail.php?flowNumber=99",
                                  "/querytranscodestatus.php?UserUploadVideoId=99"}),
        TargetsSince(before));
    EXPECT_EQ(start, Pane().CurrentPanel());
    EXPECT_TRUE(IsWindowVisible(start));
    EXPECT_FALSE(Pane().VideoPanel().Exists());
}

TEST_F(ViewTypeTest, SnapshotPagesThenSynopsisReplaceEachOther) {
    EXPECT_EQ(S_OK, View(12, 3));
    CSnapShotDlg& snapshots = Pane().SnapshotPanel();
    ASSERT_EQ(snapshots.Hwnd(), Pane().CurrentPanel());
    EXPECT_EQ(L"http://" + m_server + L"/snapshot1pagedb.php?id=12&class=tube", snapshots.Url());
    EXPECT_EQ(S_OK, View(12, 4));
    EXPECT_EQ(L"http://" + m_server + L"/snapshot1pagedb.php?id=12&class=obj", snapshots.Url());
    EXPECT_EQ(1, snapshots.ObjClass());
    EXPECT_EQ(1u, snapshots.ListenerCount());

    HWND snapshotWindow = snapshots.Hwnd();
    EXPECT_EQ(S_OK, View(12, 1));
    EXPECT_FALSE(IsWindow(snapshotWindow))
        << "creating the playback panel destroys the snapshot panel";
    EXPECT_EQ(Pane().VideoPanel().Hwnd(), Pane().CurrentPanel());
}

TEST_F(ViewTypeTest, SourceVideoTypesHandTheSegmentToThePlaybackPanel) {
    const size_t before = SampleServerFixture::Get().LogSize();
    EXPECT_EQ(S_OK, View(12, 5,
                         L"<startFrame>120</startFrame><endFrame>480</endFrame>"
                         L"<compid>3</compid><tubeid>17</tubeid>"));
    EXPECT_EQ((std::vector<std::string>{"/taskDetail.php?flowNumber=12"}), TargetsSince(before));
    CVideoPlayDlg& video = Pane().VideoPanel();
    EXPECT_EQ(video.Hwnd(), Pane().CurrentPanel());
    EXPECT_EQ(L"E:\\AstRP_1v2\\video\\12\\cam01.mp4", video.VideoPath());
    EXPECT_EQ(120, video.SegmentStart());
    EXPECT_EQ(480, video.SegmentEnd());
    EXPECT_EQ(3, video.CompId());
    EXPECT_EQ(17, video.TubeId());
    EXPECT_EQ(12, video.FlowNumber());
    EXPECT_EQ(CVideoPlayDlg::kObjectSegment, video.PlayMode());
    EXPECT_EQ(0u, video.ListenerCount()) << "no report callback on this path";

    // Type 5 without parameters plays like type 6: the whole file.
    EXPECT_EQ(S_OK, View(12, 5, L""));
    EXPECT_EQ(CVideoPlayDlg::kWholeFile, video.PlayMode());
    EXPECT_EQ(0, video.SegmentStart());
    EXPECT_EQ(S_OK, View(7, 6));
    EXPECT_EQ(L"E:\\AstRP_1v2\\video\\7\\cam01.mp4", video.VideoPath());
    EXPECT_EQ(7, video.FlowNumber());
}

TEST_F(ViewTypeTest, TranscodedUploadPlaysWithTaskZero) {
    EXPECT_EQ(S_OK, View(3, 2));
    CVideoPlayDlg& video = Pane().VideoPanel();
    EXPECT_EQ(video.Hwnd(), Pane().CurrentPanel());
    EXPECT_EQ(L"E:\\AstRP_1v2\\upload\\3\\cam01_transcoded.mp4", video.VideoPath());
    EXPECT_EQ(0, video.FlowNumber());
    EXPECT_EQ(CVideoPlayDlg::kWholeFile, video.PlayMode());
}

TEST_F(ViewTypeTest, PortInTheAddressReachesTheServerAndNotThePlayer) {
    // The fixture's address carries a port; requests go to it whole.
    ASSERT_NE(std::wstring::npos, m_server.find(L':'));
    BSTR ret = nullptr;
    BSTR param = SysAllocString(L"<path>D:\\video\\cam01.mp4</path><startframe>250</startframe>"
                                L"<endframe>750</endframe>");
    EXPECT_EQ(S_OK, m_pane->Ocx_PlaySrvVideo(param, &ret));
    EXPECT_STREQ(L"successful!", ret);
    SysFreeString(ret);
    SysFreeString(param);
    CVideoPlayDlg& video = Pane().VideoPanel();
    EXPECT_EQ(video.Hwnd(), Pane().CurrentPanel());
    EXPECT_EQ(L"D:\\video\\cam01.mp4", video.VideoPath());
    EXPECT_EQ(250, video.SegmentStart());
    EXPECT_EQ(750, video.SegmentEnd());
    EXPECT_EQ(L"", video.VideoUrl());
    EXPECT_EQ(m_server.substr(0, m_server.find(L':')), video.ServerAddress());
}

TEST_F(ViewTypeTest, CallsBeforeInitUseAnEmptyAddressAndShowNothing) {
    EXPECT_EQ(E_FAIL, Init(L""));
    HWND start = Pane().CurrentPanel();
    EXPECT_EQ(S_OK, View(12, 1));
    EXPECT_EQ(start, Pane().CurrentPanel());
}

TEST_F(ViewTypeTest, ResizingTheControlResizesThePanel) {
    EXPECT_EQ(S_OK, View(12, 1));
    auto inPlace = m_pane.As<IOleInPlaceObject>();
    RECT smaller = {0, 0, 500, 400};
    ASSERT_EQ(S_OK, inPlace->SetObjectRects(&smaller, &smaller));
    RECT panel;
    GetClientRect(Pane().CurrentPanel(), &panel);
    EXPECT_EQ(500, panel.right);
    EXPECT_EQ(400, panel.bottom);
}

TEST_F(ViewTypeTest, DeactivationDestroysTheWindowAndTellsTheSite) {
    HWND control = ControlWindow();
    auto inPlace = m_pane.As<IOleInPlaceObject>();
    EXPECT_EQ(S_OK, inPlace->InPlaceDeactivate());
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(1, m_site->inPlaceDeactivations);
    EXPECT_EQ(nullptr, Pane().CurrentPanel());
}

} // namespace
