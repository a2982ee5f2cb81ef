// The control as a page uses it: its type library, its scripting methods
// against the sample server (checked in the server's request log), the files
// it downloads, and parameter strings going in and coming back out.
#include "canned_http_server.h"
#include "file_tree.h"
#include "hosted_control.h"
#include "module_path.h"
#include "resource.h"
#include "test_fixture.h"
#include "test_pictures.h"
#include "type_library.h"

#include <gtest/gtest.h>

namespace {

std::string NameOf(const ::testing::TestInfo* info) {
    return std::string(info->test_suite_name()) + "_" + info->name();
}

std::wstring ScratchFolder() {
    return SampleServerFixture::Get().MakeScratchFolder(
        NameOf(::testing::UnitTest::GetInstance()->current_test_info()));
}

std::wstring DownloadFolder() {
    return ModuleFolder() + L"\\DownloadImg";
}

std::vector<std::string> TargetsSince(size_t offset) {
    std::vector<std::string> targets;
    for (const LoggedRequest& request : SampleServerFixture::Get().RequestsSince(offset))
        targets.push_back(request.target);
    return targets;
}

// ---- the type library ----

TEST(TypeLibrary, FourMethodsWithTheirIdsAndDefaults) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, host.Interface()->GetTypeInfo(0, 0, info.Receive()));
    const struct {
        const wchar_t* name;
        DISPID dispid;
        short params;
        int optional;         // index of the parameter with a default, -1 none
        const wchar_t* deflt; // the default as text
    } methods[] = {{L"Ocx_CreateConfigWnd", 1, 2, 1, L""},
                   {L"Ocx_GetConfigData", 2, 1, -1, nullptr},
                   {L"Ocx_SetConfigData", 3, 2, 1, L"-1"},
                   {L"Ocx_ShowConfigData", 4, 3, 2, L"-1"}};
    for (const auto& m : methods) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(m.name)};
        DISPID dispid = 0;
        ASSERT_EQ(S_OK, host.Interface()->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid));
        EXPECT_EQ(m.dispid, dispid) << m.name;
        UINT index = 0;
        FUNCDESC* desc = nullptr;
        for (index = 0; SUCCEEDED(info->GetFuncDesc(index, &desc)); ++index) {
            if (desc->memid == m.dispid)
                break;
            info->ReleaseFuncDesc(desc);
            desc = nullptr;
        }
        ASSERT_NE(nullptr, desc) << m.name;
        EXPECT_EQ(m.params, desc->cParams) << m.name;
        for (short p = 0; p < desc->cParams; ++p) {
            const PARAMDESC& param = desc->lprgelemdescParam[p].paramdesc;
            const bool hasDefault = (param.wParamFlags & PARAMFLAG_FHASDEFAULT) != 0;
            EXPECT_EQ(p == m.optional, hasDefault) << m.name << " parameter " << p;
            if (hasDefault) {
                VARIANT text;
                VariantInit(&text);
                ASSERT_EQ(S_OK, VariantChangeType(&text, &param.pparamdescex->varDefaultValue, 0,
                                                  VT_BSTR));
                EXPECT_EQ(std::wstring(m.deflt), text.bstrVal) << m.name;
                VariantClear(&text);
            }
        }
        info->ReleaseFuncDesc(desc);
    }
    // The dispinterface half follows the seven IUnknown and IDispatch slots.
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
    EXPECT_EQ(7 * sizeof(void*) + 4 * sizeof(void*), attributes->cbSizeVft);
    info->ReleaseTypeAttr(attributes);

    ComPtr<ITypeLib> library;
    UINT at = 0;
    ASSERT_EQ(S_OK, info->GetContainingTypeLib(library.Receive(), &at));
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr));
    EXPECT_STREQ(L"TaskSetupLib", name);
    SysFreeString(name);
    TLIBATTR* libAttributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&libAttributes));
    EXPECT_TRUE(IsEqualGUID(LIBID_TaskSetupLib, libAttributes->guid));
    EXPECT_EQ(1, libAttributes->wMajorVerNum);
    EXPECT_EQ(0, libAttributes->wMinorVerNum);
    library->ReleaseTLibAttr(libAttributes);

    // A control without events: no connection points, no source interface.
    ComPtr<IConnectionPointContainer> points;
    EXPECT_EQ(E_NOINTERFACE, host.Interface()->QueryInterface(IID_IConnectionPointContainer,
                                                              points.ReceiveVoid()));
    GUID source = IID_IDispatch;
    auto classInfo = ComPtr<IConfigDlg>::Share(host.Interface()).As<IProvideClassInfo2>();
    EXPECT_EQ(E_FAIL, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
}

// An omitted bEnable enables, and only VARIANT_TRUE (-1) is true: a raw boolean
// of 1 is false, while a number is coerced to a boolean first (1 becomes -1).
TEST(Scripting, SetConfigDataThroughIDispatchEnablesOnlyForMinusOne) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    const std::wstring data = L"type=1&sensitivity=0&fineness=3&snap_type=0&thickness=0&task_"
                              L"priority=0&summary_width=-1&summary_height=-1&drop_frm_rate=1.0&"
                              L"obj_type=3";
    const struct {
        VARTYPE type; // VT_EMPTY: argument left out
        LONG value;
        bool enabled;
    } cases[] = {{VT_EMPTY, 0, true},
                 {VT_BOOL, 1, false},
                 {VT_BOOL, -1, true},
                 {VT_I4, 0, false},
                 {VT_I4, 1, true}};
    HWND priority = GetDlgItem(host.Control().Panel().Hwnd(), IDC_PRIORITY);
    for (const auto& c : cases) {
        VARIANT args[2];
        VariantInit(&args[0]);
        VariantInit(&args[1]);
        args[1].vt = VT_BSTR; // the page passes the text itself
        args[1].bstrVal = SysAllocString(data.c_str());
        args[0].vt = c.type;
        if (c.type == VT_BOOL)
            args[0].boolVal = static_cast<VARIANT_BOOL>(c.value);
        else
            args[0].lVal = c.value;
        DISPPARAMS params = {c.type == VT_EMPTY ? &args[1] : args, nullptr,
                             c.type == VT_EMPTY ? 1u : 2u, 0};
        EXPECT_EQ(S_OK, host.Interface()->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                                 nullptr, nullptr));
        EXPECT_EQ(c.enabled, IsWindowEnabled(priority) != FALSE) << c.type << " " << c.value;
        EXPECT_EQ(!c.enabled, host.Control().View().Shapes().IsReadOnly());
        VariantClear(&args[1]);
    }
}

// ---- loading the snapshot ----

TEST(Snapshot, EachFileUrlFormAsksTheServerOrNot) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    const SampleServerFixture& server = SampleServerFixture::Get();
    const std::wstring local = ScratchFolder() + L"\\local.png";
    ASSERT_TRUE(WriteSolidPicture(local, 320, 200, 0x102030));
    DeleteFileW((DownloadFolder() + L"\\cam01_transcoded.jpg").c_str());

    const struct {
        std::wstring fileUrl;
        HRESULT result;
        std::vector<std::string> targets;
        int width; // of the picture shown afterwards
    } cases[] = {
        {L"3",
         S_OK,
         {"/getvideosnapshot.php?UserUploadVideoId=3", "/snapshot/upload/3/cam01_transcoded.jpg"},
         704},
        {local, S_OK, {}, 320},
        {L"123", S_FALSE, {"/getvideosnapshot.php?UserUploadVideoId=123"}, 320},
        // The system's HTTP client sends the backslashes as slashes.
        {L"file=E:\\AstRP_1v2\\video\\12\\cam01.mp4",
         S_OK,
         {"/getvideosnapshot.php?file=E:/AstRP_1v2/video/12/cam01.mp4",
          "/snapshot/video/12/cam01.jpg"},
         704},
        {L"file=E:\\AstRP_1v2\\video\\99\\none.mp4",
         S_FALSE,
         {"/getvideosnapshot.php?file=E:/AstRP_1v2/video/99/none.mp4"},
         704},
        {L"0", S_OK, {}, 704},
        {L"File=E:\\AstRP_1v2\\video\\12\\cam01.mp4", S_OK, {}, 704},
        {L"abc", S_OK, {}, 704},
    };
    for (const auto& c : cases) {
        const size_t before = server.LogSize();
        EXPECT_EQ(c.result, host.Create(c.fileUrl, server.Server())) << c.fileUrl;
        EXPECT_EQ(c.targets, TargetsSince(before)) << c.fileUrl;
        int width = 0, height = 0;
        host.Control().View().GetImageSize(width, height);
        EXPECT_EQ(c.width, width) << c.fileUrl;
    }
    // The download is the server's file, whole, in the folder beside the module;
    // loading it again replaces the file instead of appending to it.
    const auto served = ReadFileBytes(server.DataFile("snapshot/upload/3/cam01_transcoded.jpg"));
    ASSERT_TRUE(served);
    for (int load = 0; load < 2; ++load) {
        const auto kept = ReadFileBytes(DownloadFolder() + L"\\cam01_transcoded.jpg");
        ASSERT_TRUE(kept);
        EXPECT_TRUE(*served == *kept) << kept->size() << " bytes, served " << served->size();
        ASSERT_EQ(S_OK, host.Create(L"3", server.Server()));
    }
    // The panel offers the snapshot's own size.
    HWND sizes = GetDlgItem(host.Control().Panel().Hwnd(), IDC_OUTPUT_SIZE);
    wchar_t entry[32] = {};
    SendMessageW(sizes, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(L"704*576", entry);
}

TEST(Snapshot, HostileSnapshotPathsNeverWriteOutsideTheDownloadFolder) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    CannedHttpServer canned("127.0.0.26", 8027);
    ASSERT_TRUE(canned.IsListening());
    canned.SetReply("*", "not a picture, but bytes all the same");
    const std::wstring server = L"127.0.0.26:8027";
    DeleteFolderTree(DownloadFolder());

    const struct {
        const char* snapshot;
        HRESULT result;
    } cases[] = {{"\\..\\..\\evil1.jpg", S_OK},    {"\\img\\..\\..\\..\\evil2.jpg", S_OK},
                 {"C:\\Windows\\evil3.jpg", S_OK}, {"\\img\\", S_FALSE},
                 {"\\img\\..", S_FALSE},           {"\\CON", S_FALSE}};
    for (const auto& c : cases) {
        canned.SetReply("/getvideosnapshot.php",
                        std::string("<result><snapshot>") + c.snapshot + "</snapshot></result>");
        EXPECT_EQ(c.result, host.Create(L"7", server)) << c.snapshot;
    }
    EXPECT_EQ(6 + 2, canned.Targets().size()) << "a request per case and two downloads";
    EXPECT_TRUE(FileExists(DownloadFolder() + L"\\evil1.jpg")) << "downloaded, into the folder";
    const std::vector<std::wstring> kept = FolderEntries(DownloadFolder());
    for (const std::wstring& name : kept)
        EXPECT_TRUE(name == L"evil1.jpg" || name == L"evil2.jpg" || name == L"evil3.jpg")
            << name.c_str();
    const std::wstring module = ModuleFolder();
    const std::wstring parent = module.substr(0, module.rfind(L'\\'));
    for (const std::wstring& folder : {module, parent, parent.substr(0, parent.rfind(L'\\'))})
        for (const wchar_t* name : {L"\\evil1.jpg", L"\\evil2.jpg", L"\\evil3.jpg"})
            EXPECT_FALSE(FileExists(folder + name)) << folder.c_str() << name;
    EXPECT_FALSE(FileExists(L"C:\\Windows\\evil3.jpg"));
}

// ---- parameter strings ----

constexpr wchar_t kRegion[] =
    L"UDR_exist=1&UDR_setting=<udr><attr>0</attr><polynum>1</polynum><polyinfo><vertnum>4"
    L"</vertnum><vertinfo><x>0.250000</x><y>0.250000</y><x>0.750000</x><y>0.250000</y>"
    L"<x>0.750000</x><y>0.750000</y><x>0.250000</x><y>0.750000</y></vertinfo></polyinfo></udr>";
constexpr wchar_t kTripwire[] = L"tripwire_x1=0.250000&tripwire_y1=0.500000&tripwire_x2=0.750000"
                                L"&tripwire_y2=0.500000&tripwire_crossdir=-1";

TEST(ParameterString, SetThenGetGivesWhatTheControlsShow) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    host.MakeDrawingArea(640, 480);
    const std::wstring picture = ScratchFolder() + L"\\snapshot.png";
    ASSERT_TRUE(WriteSolidPicture(picture, 640, 480, 0x303030));
    ASSERT_EQ(S_OK, host.Create(picture, L""));

    const std::wstring shapes = std::wstring(L"&") + kRegion + L"&" + kTripwire;
    const struct {
        std::wstring given;
        std::wstring expected;
    } cases[] = {
        // Frame dropping and the snapshot mode are not taken from the string.
        {L"type=1&sensitivity=2&fineness=2&snap_type=1&thickness=7&task_priority=100&summary_"
         L"width=352&summary_height=288&drop_frm_rate=2.0&obj_enable=1&obj_type=2&retrieve_"
         L"avgcolor=0xFF0000" +
             shapes,
         L"type=1&sensitivity=2&fineness=2&snap_type=0&thickness=7&task_priority=100&summary_"
         L"width=352&summary_height=288&drop_frm_rate=1.0&obj_enable=1&obj_type=2&retrieve_"
         L"avgcolor=0xFF0000" +
             shapes},
        // A size the list does not offer becomes the automatic size.
        {L"type=2&sensitivity=4&fineness=1&snap_type=0&thickness=0&task_priority=0&summary_"
         L"width=1920&summary_height=1080&drop_frm_rate=1.0",
         L"type=2&sensitivity=4&fineness=1&snap_type=0&thickness=0&task_priority=0&summary_"
         L"width=-1&summary_height=-1&drop_frm_rate=1.0"},
        // Person: upper and lower colours, no main colour.
        {L"type=0&sensitivity=0&fineness=3&snap_type=0&thickness=20&task_priority=127&summary_"
         L"width=640&summary_height=480&drop_frm_rate=1.0&obj_type=1&retrieve_uppercolor="
         L"0x00FF00&retrieve_lowercolor=0x0000FF",
         L"type=0&sensitivity=0&fineness=3&snap_type=0&thickness=20&task_priority=127&summary_"
         L"width=640&summary_height=480&drop_frm_rate=1.0&obj_enable=1&obj_type=1&retrieve_"
         L"uppercolor=0x00FF00&retrieve_lowercolor=0x0000FF"},
        // A string that stops early still applies what it had, and defaults
        // for the rest: person and vehicle, which takes no body colours.
        {L"type=1&sensitivity=2&fineness=1", L"type=1&sensitivity=2&fineness=1&snap_type=0&"
                                             L"thickness=0&task_priority=0&summary_width=-1&"
                                             L"summary_height=-1&drop_frm_rate=1.0&obj_enable=1&"
                                             L"obj_type=3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(S_OK, host.Set(c.given));
        EXPECT_EQ(c.expected, host.Get()) << c.given;
    }
}

TEST(ParameterString, StoredTaskIsShownAndFailuresChangeNothing) {
    HostedConfigDlg host(900, 700);
    ASSERT_TRUE(host.Ok());
    host.MakeDrawingArea(704, 576);
    const SampleServerFixture& server = SampleServerFixture::Get();

    const size_t before = server.LogSize();
    ASSERT_EQ(S_OK, host.Show(7, server.Server(), 0));
    const std::vector<std::string> targets = TargetsSince(before);
    ASSERT_EQ(3u, targets.size());
    // The URL's doubled slash goes with the host part; the line break after
    // the source path does not reach the request.
    EXPECT_EQ("/taskdetail.php?flowNumber=7", targets[0]);
    EXPECT_EQ("/getvideosnapshot.php?file=E:/AstRP_1v2/video/7/cam01.mp4", targets[1]);

    HWND page = host.Page();
    const PixelBuffer shown = CaptureAfterPaint(page);
    SavePng(shown, ScratchFolder() + L"\\task7.png");
    // Task 7: a region of interest from (0.1, 0.2) to (0.8, 0.15), a
    // tripwire from (0.2, 0.6) to (0.75, 0.5), on the 704 x 576 snapshot
    // drawn from (10, 10).
    EXPECT_TRUE(ColorNear(shown, 10 + 317, 10 + 100, 2, kGreen));
    EXPECT_TRUE(ColorNear(shown, 10 + 334, 10 + 317, 2, kRed));
    wchar_t priority[8] = {};
    GetDlgItemTextW(host.Control().Panel().Hwnd(), IDC_PRIORITY_VALUE, priority, 8);
    EXPECT_STREQ(L"64", priority);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(host.Control().Panel().Hwnd(), IDC_PRIORITY)));
    const std::wstring shownData = host.Get();
    EXPECT_NE(std::wstring::npos, shownData.find(L"task_priority=64&")) << shownData;
    EXPECT_NE(std::wstring::npos, shownData.find(L"tripwire_crossdir=1")) << shownData;

    EXPECT_EQ(E_FAIL, host.Show(99, server.Server()));
    EXPECT_EQ(E_FAIL, host.Show(7, L"127.0.0.26:1"));
    EXPECT_EQ(shownData, host.Get());
}

} // namespace
