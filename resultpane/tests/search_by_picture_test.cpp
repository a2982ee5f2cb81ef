// Search by picture from the snapshot panel, end to end: the menu command,
// the region picker (the real library beside the viewer, driven from a helper
// thread), the task detail and the submitted form in the sample server's log,
// and the new task's page.
#include "picker_driver.h"
#include "picker_steps.h"
#include "snapshot_panel_fixture.h"
#include "test_pictures.h"

namespace {

constexpr int kOutline = 11001;

class SearchByPictureTest : public SnapshotPanelTest {
protected:
    void SetUp() override {
        SnapshotPanelTest::SetUp();
        m_picture =
            SampleServerFixture::Get().MakeScratchFolder("search_by_picture") + L"\\target.png";
        ASSERT_TRUE(WriteGradientPicture(m_picture, 200, 120));
    }

    // Chooses command from the panel's search menu while the picker, once
    // up, gets the picture and an outline and is confirmed (or cancelled).
    std::string Search(CSnapShotDlg& panel, int command, bool confirm) {
        const std::wstring picture = m_picture;
        return DriveWhile(
            [picture, confirm](PickerDriver& picker) {
                if (!confirm) {
                    picker.PostPress(IDCANCEL);
                    return;
                }
                picker.Import(picture);
                MakeRoomForNaturalSize(picker);
                const PixelRect shown = picker.PictureRect(200, 120);
                picker.Press(kOutline);
                ClickOutline(picker, shown, {{20, 20}, {180, 20}, {100, 100}, {20, 20}});
                picker.PostPress(IDOK);
            },
            [&] { SendMessageW(panel.Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0); });
    }

    std::wstring m_picture;
};

std::string SourceFields(int objType) {
    // The task detail's path is copied with its line end and doubled backslashes.
    return "sourceUrl=file://E:\\\\AstRP_1v2\\\\video\\\\12\\\\cam01.mp4\r\n&sensitivity=0"
           "&UDR_exist=0&UDR_setting=&enable_search_by_image=1&type=0&obj_enable=1&obj_type=" +
           std::to_string(objType) + "&snap_type=1&drop_frm_rate=0&request_image_data=";
}

// The requests the search makes (the browser's page requests left out: they
// arrive when the browser gets to them).
std::vector<LoggedRequest> SearchRequestsSince(size_t offset) {
    std::vector<LoggedRequest> requests;
    for (LoggedRequest& r : SampleServerFixture::Get().RequestsSince(offset))
        if (r.target.find("/snapshot1pagedb.php") == std::string::npos)
            requests.push_back(std::move(r));
    return requests;
}

std::string ServerFile(const std::string& relative) {
    return ReadFileBytes(SampleServerFixture::Get().DataFile(relative)).value_or("<none>");
}

TEST_F(SearchByPictureTest, PersonAndCarSearchesSubmitTheTaskAndShowItsObjects) {
    Watchdog watchdog(110);
    for (const auto& [command, objType] :
         {std::pair{CSnapShotDlg::kSearchPerson, 1}, std::pair{CSnapShotDlg::kSearchCar, 2}}) {
        SCOPED_TRACE(objType);
        CSnapShotDlg& panel = MakePanel(12, 0);
        const size_t before = LogSize();
        ASSERT_EQ("", Search(panel, command, true));
        EXPECT_EQ(objType, panel.ObjType());

        const int32_t flow = panel.TaskId();
        EXPECT_GE(flow, 1001) << "the new task's page is shown";
        EXPECT_EQ(1, panel.ObjClass());
        const auto requests = SearchRequestsSince(before);
        ASSERT_EQ(2u, requests.size());
        EXPECT_EQ("/taskdetail.php?flowNumber=12", requests[0].target);
        EXPECT_EQ("POST", requests[1].method);
        EXPECT_EQ("/submittask.php", requests[1].target);
        const std::string objData = ServerFile("search/" + std::to_string(flow) + "/obj.jpg");
        const std::string maskData = ServerFile("search/" + std::to_string(flow) + "/mask.bin");
        // The server decoded exactly the picker's files from the Base64 text.
        EXPECT_EQ(ReadFileBytes(panel.ObjPicFile()).value_or("?"), objData);
        EXPECT_EQ(ReadFileBytes(panel.MaskPicFile()).value_or("?"), maskData);
        EXPECT_FALSE(maskData.empty());
        const std::string& body = requests[1].body;
        EXPECT_EQ(SourceFields(objType), body.substr(0, SourceFields(objType).size()));
        EXPECT_NE(std::string::npos, body.find("&request_mask_data="));
        EXPECT_TRUE(WaitForRequest(before, "/snapshot1pagedb.php?id=" + std::to_string(flow) +
                                               "&class=obj"));
    }
}

TEST_F(SearchByPictureTest, FailuresSendNothingMoreAndLeaveThePage) {
    Watchdog watchdog(110);
    CSnapShotDlg& panel = MakePanel(12, 0);
    // A cancelled picker: no request at all.
    size_t before = LogSize();
    ASSERT_EQ("", Search(panel, CSnapShotDlg::kSearchCar, false));
    EXPECT_EQ(0u, SearchRequestsSince(before).size());
    EXPECT_EQ(12, panel.TaskId());

    // A confirmed search, then the mask emptied: its value goes out empty,
    // the server answers without a flow number, and the page stays.
    ASSERT_EQ("", Search(panel, CSnapShotDlg::kSearchPerson, true));
    const int32_t shown = panel.TaskId();
    ASSERT_TRUE(WriteFileBytes(panel.MaskPicFile(), ""));
    before = LogSize();
    EXPECT_EQ(0, panel.SubmitSearchByPicTask());
    auto requests = SearchRequestsSince(before);
    ASSERT_EQ(2u, requests.size());
    const std::string& body = requests[1].body;
    EXPECT_EQ("&request_mask_data=", body.substr(body.size() - 19));
    EXPECT_EQ(shown, panel.TaskId());

    // A task-detail reply without the values (an unknown task): nothing is posted.
    panel.SetPage(m_server, 99, 1);
    before = LogSize();
    EXPECT_EQ(0, panel.SubmitSearchByPicTask());
    requests = SearchRequestsSince(before);
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("/taskdetail.php?flowNumber=99", requests[0].target);
}

} // namespace
