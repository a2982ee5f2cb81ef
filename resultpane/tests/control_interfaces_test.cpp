// The control as script and containers see it: interfaces, safety options,
// methods through IDispatch, and events.
#include "ResultPane.h"
#include "dispatch_helpers.h"
#include "type_library.h"
#include "result_pane.h"

#include <gtest/gtest.h>
#include <objsafe.h>

namespace {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_EQ(S_OK, CResultPane::CreateInstance(IID_IUnknown, m_control.ReceiveVoid()));
        m_dispatch = m_control.As<IDispatch>();
        ASSERT_TRUE(m_dispatch);
    }
    void TearDown() override {
        m_dispatch.Reset();
        m_control.Reset();
        OleUninitialize();
    }
    CResultPane& Pane() { return *static_cast<CResultPane*>(m_control.As<ICResultPane>().Get()); }
    ComPtr<IUnknown> m_control;
    ComPtr<IDispatch> m_dispatch;
};

TEST_F(ControlTest, AnswersEveryControlInterfaceWithOneIdentity) {
    const IID* interfaces[] = {
        &IID_ICResultPane,      &IID_IDispatch,          &IID_IViewObjectEx,
        &IID_IViewObject2,      &IID_IViewObject,        &IID_IOleInPlaceObjectWindowless,
        &IID_IOleInPlaceObject, &IID_IOleWindow,         &IID_IOleInPlaceActiveObject,
        &IID_IOleControl,       &IID_IOleObject,         &IID_IPersistStreamInit,
        &IID_IPersist,          &IID_ISupportErrorInfo,  &IID_IConnectionPointContainer,
        &IID_IQuickActivate,    &IID_IPersistStorage,    &IID_IDataObject,
        &IID_IProvideClassInfo, &IID_IProvideClassInfo2, &IID_IObjectSafety};
    for (const IID* iid : interfaces) {
        ComPtr<IUnknown> answer;
        ASSERT_EQ(S_OK, m_control->QueryInterface(*iid, answer.ReceiveVoid()));
        ComPtr<IUnknown> identity = answer.As<IUnknown>();
        EXPECT_EQ(m_control.Get(), identity.Get()) << "IUnknown differs";
    }
    ComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE,
              m_control->QueryInterface(IID_IPersistPropertyBag, none.ReceiveVoid()));
    EXPECT_EQ(E_NOINTERFACE, m_control->QueryInterface(IID_IClassFactory, none.ReceiveVoid()));
}

TEST_F(ControlTest, ErrorInfoOnlyForTheScriptingInterface) {
    auto support = m_control.As<ISupportErrorInfo>();
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_ICResultPane));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IDispatch));
}

TEST_F(ControlTest, ClassInfoNamesTheEventInterface) {
    auto info = m_control.As<IProvideClassInfo2>();
    GUID guid = GUID_NULL;
    ASSERT_EQ(S_OK, info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid));
    EXPECT_TRUE(IsEqualGUID(DIID__ICResultPaneEvents, guid));
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, info->GetClassInfo(coclass.Receive()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(CLSID_CResultPane, attributes->guid));
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    coclass->ReleaseTypeAttr(attributes);
}

TEST_F(ControlTest, SafetyOptionsFollowMaskAndInterface) {
    auto safety = m_control.As<IObjectSafety>();
    DWORD supported = 99, enabled = 99;
    ASSERT_EQ(S_OK, safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled));
    EXPECT_EQ(3u, supported);
    EXPECT_EQ(0u, enabled);

    // Not an interface of ours: both words 0.
    supported = enabled = 99;
    EXPECT_EQ(E_NOINTERFACE,
              safety->GetInterfaceSafetyOptions(IID_IClassFactory, &supported, &enabled));
    EXPECT_EQ(0u, supported);
    EXPECT_EQ(0u, enabled);
    EXPECT_EQ(E_POINTER, safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled));
    EXPECT_EQ(E_POINTER, safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, nullptr));

    EXPECT_EQ(E_NOINTERFACE, safety->SetInterfaceSafetyOptions(IID_IClassFactory, 1, 1));
    EXPECT_EQ(E_FAIL, safety->SetInterfaceSafetyOptions(IID_IDispatch, 4, 4));
    EXPECT_EQ(E_FAIL, safety->SetInterfaceSafetyOptions(IID_IDispatch, 7, 1));

    // (options & mask) | (old & ~mask)
    EXPECT_EQ(S_OK, safety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3));
    safety->GetInterfaceSafetyOptions(IID_IPersist, &supported, &enabled);
    EXPECT_EQ(3u, enabled);
    EXPECT_EQ(S_OK, safety->SetInterfaceSafetyOptions(IID_IDispatch, 1, 0));
    safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(2u, enabled);
    EXPECT_EQ(S_OK, safety->SetInterfaceSafetyOptions(IID_IDispatch, 2, 1)); // option outside mask
    safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(0u, enabled);
}

TEST_F(ControlTest, InitThroughDispidAndNameWithOptionalArguments) {
    ScriptCallResult first;
    CallByDispid(m_dispatch.Get(), 1, {std::wstring(L"10.0.0.5:8080")}, first);
    EXPECT_EQ(S_OK, first.hr);
    EXPECT_EQ(L"10.0.0.5:8080", Pane().ServerAddress());
    // The retval is never written: script sees an empty string.
    EXPECT_EQ(L"", first.Text());

    ScriptCallResult all;
    CallByName(m_dispatch.Get(), L"Ocx_Init",
               {std::wstring(L"h2"), 7L, std::wstring(L"user"), std::wstring(L"pwd")}, all);
    EXPECT_EQ(S_OK, all.hr);
    EXPECT_EQ(L"h2", Pane().ServerAddress());

    // An empty address is stored and reported as a failure.
    ScriptCallResult empty;
    CallByName(m_dispatch.Get(), L"Ocx_Init", {std::wstring(L"")}, empty);
    EXPECT_EQ(DISP_E_EXCEPTION, empty.hr);
    EXPECT_EQ(E_FAIL, empty.exception.scode);
    EXPECT_EQ(L"", Pane().ServerAddress());

    // Arguments are coerced as the library declares them.
    ScriptCallResult coerced;
    CallByName(m_dispatch.Get(), L"Ocx_Init", {std::wstring(L"h3"), std::wstring(L"7")}, coerced);
    EXPECT_EQ(S_OK, coerced.hr);
    EXPECT_EQ(L"h3", Pane().ServerAddress());
    ScriptCallResult mismatch;
    CallByName(m_dispatch.Get(), L"Ocx_Init", {std::wstring(L"h4"), std::wstring(L"seven")},
               mismatch);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, mismatch.hr);
    EXPECT_EQ(L"h3", Pane().ServerAddress());

    ScriptCallResult missing;
    CallByName(m_dispatch.Get(), L"Ocx_Init", {}, missing);
    EXPECT_TRUE(missing.hr == DISP_E_PARAMNOTOPTIONAL || missing.hr == DISP_E_BADPARAMCOUNT)
        << std::hex << missing.hr;
}

TEST_F(ControlTest, PlaySrvVideoReturnsItsTexts) {
    auto pane = m_control.As<ICResultPane>();
    BSTR text = nullptr;
    EXPECT_EQ(S_FALSE, pane->Ocx_PlaySrvVideo(nullptr, &text));
    EXPECT_STREQ(L"param cann't empty!", text);
    SysFreeString(text);

    ScriptCallResult omitted;
    CallByDispid(m_dispatch.Get(), 3, {}, omitted);
    EXPECT_TRUE(SUCCEEDED(omitted.hr));
    EXPECT_EQ(L"param cann't empty!", omitted.Text());

    ScriptCallResult given;
    CallByName(m_dispatch.Get(), L"Ocx_PlaySrvVideo",
               {std::wstring(L"<path>x</path><startframe>5</startframe>")}, given);
    EXPECT_EQ(S_OK, given.hr);
    EXPECT_EQ(L"successful!", given.Text());
    // No window yet: the panel is not shown but keeps what it was given.
    EXPECT_EQ(L"x", Pane().VideoPanel().VideoPath());
    EXPECT_EQ(5, Pane().VideoPanel().SegmentStart());
    EXPECT_EQ(0, Pane().VideoPanel().SegmentEnd());
    EXPECT_EQ(CVideoPlayDlg::kObjectSegment, Pane().VideoPanel().PlayMode());
}

TEST_F(ControlTest, UnknownViewTypeDoesNothing) {
    ScriptCallResult result;
    CallByName(m_dispatch.Get(), L"Ocx_ViewResultEx", {12L, 9L}, result);
    EXPECT_EQ(S_OK, result.hr);
    ScriptCallResult byDispid;
    CallByDispid(m_dispatch.Get(), 2, {12L, 0L, std::wstring(L"<startFrame>1</startFrame>")},
                 byDispid);
    EXPECT_EQ(S_OK, byDispid.hr);
    EXPECT_EQ(L"", byDispid.Text()) << "strRet is never written";
    EXPECT_EQ(nullptr, Pane().CurrentPanel());
    EXPECT_EQ(L"", Pane().VideoPanel().VideoPath());
    EXPECT_EQ(0u, Pane().SnapshotPanel().ListenerCount());
}

class EventTest : public ControlTest {
protected:
    void Connect(RecordingSink* sink, DWORD& cookie) {
        auto container = m_control.As<IConnectionPointContainer>();
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID__ICResultPaneEvents, point.Receive()));
        ASSERT_EQ(S_OK, point->Advise(static_cast<IDispatch*>(sink), &cookie));
    }
};

TEST_F(EventTest, EveryReportRaisesBothEventsOnEverySinkInOrder) {
    std::vector<std::pair<const RecordingSink*, DISPID>> order;
    auto* first = new RecordingSink(DIID__ICResultPaneEvents, E_FAIL); // a failing page handler
    auto* second = new RecordingSink(DIID__ICResultPaneEvents);
    first->order = second->order = &order;
    DWORD cookie1 = 0, cookie2 = 0;
    Connect(first, cookie1);
    Connect(second, cookie2);
    EXPECT_NE(cookie1, cookie2);

    // A snapshot click, as the snapshot panel reports it.
    Pane().SnapshotPanel().SetPage(L"h", 12, 0);
    Pane().SnapshotPanel().AddReportCallback(CResultPane::OnPanelReport, &Pane());
    Pane().SnapshotPanel().DeliverReport(100, 175, 4, 7, 65539, 12, 2);

    const std::vector<std::pair<const RecordingSink*, DISPID>> expectedOrder = {
        {first, 1}, {second, 1}, {first, 2}, {second, 2}};
    EXPECT_EQ(expectedOrder, order);
    for (RecordingSink* sink : {first, second}) {
        ASSERT_EQ(2u, sink->calls.size());
        EXPECT_EQ((std::vector<long>{12, 2, 100, 175, 65539, 12}), sink->calls[0].arguments);
        EXPECT_EQ((std::vector<long>{12, 2, 100, 175, 4, 7, 65539, 12}), sink->calls[1].arguments);
        for (const auto& call : sink->calls) {
            EXPECT_EQ(DISPATCH_METHOD, call.flags);
            EXPECT_EQ(static_cast<LCID>(LOCALE_USER_DEFAULT), call.locale);
            EXPECT_EQ(0u, call.namedArguments);
        }
    }
    first->Release();
    second->Release();
}

TEST_F(EventTest, PlaybackPanelReportsReachThePageToo) {
    auto* sink = new RecordingSink(DIID__ICResultPaneEvents);
    DWORD cookie = 0;
    Connect(sink, cookie);
    CVideoPlayDlg& video = Pane().VideoPanel();
    video.SetTaskId(31);
    video.AddReportCallback(CResultPane::OnPanelReport, &Pane());
    video.AddReportCallback(CResultPane::OnPanelReport, nullptr); // already there: ignored
    EXPECT_EQ(1u, video.ListenerCount());
    video.NotifyListeners(250, 300, 10, 12, 65541, 3, 3);
    ASSERT_EQ(2u, sink->calls.size());
    EXPECT_EQ((std::vector<long>{31, 3, 250, 300, 65541, 3}), sink->calls[0].arguments);
    EXPECT_EQ((std::vector<long>{31, 3, 250, 300, 10, 12, 65541, 3}), sink->calls[1].arguments);
    sink->Release();
}

TEST_F(EventTest, UnadvisedSinkHearsNothingAndNullUserDataIsIgnored) {
    auto* sink = new RecordingSink(DIID__ICResultPaneEvents);
    DWORD cookie = 0;
    Connect(sink, cookie);
    EXPECT_EQ(0, CResultPane::OnPanelReport(1, 2, 3, 4, 5, 6, 7, 1, nullptr));
    EXPECT_TRUE(sink->calls.empty());

    auto container = m_control.As<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    container->FindConnectionPoint(DIID__ICResultPaneEvents, point.Receive());
    EXPECT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));
    CResultPane::OnPanelReport(1, 2, 3, 4, 5, 6, 7, 1, &Pane());
    EXPECT_TRUE(sink->calls.empty());
    sink->Release();
}

TEST_F(EventTest, ConnectionPointIsFoundOnlyForTheEventInterface) {
    auto container = m_control.As<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(CONNECT_E_NOCONNECTION,
              container->FindConnectionPoint(IID_IDispatch, point.Receive()));
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.Receive()));
    IConnectionPoint* found[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, points->Next(2, found, &fetched));
    ASSERT_EQ(1u, fetched);
    IID iid;
    found[0]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(DIID__ICResultPaneEvents, iid));
    found[0]->Release();
}

} // namespace

namespace {

TEST(TypeLibrary, EmbeddedLibraryCarriesTheIdsTheCodeUses) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, LoadModuleTypeLib(GetModuleHandleW(nullptr), library));
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(LIBID_ResultPaneLib, attributes->guid));
    EXPECT_EQ(1, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    EXPECT_EQ(0x409u, attributes->lcid);
    library->ReleaseTLibAttr(attributes);
    for (const GUID* id : {&IID_ICResultPane, &DIID__ICResultPaneEvents, &CLSID_CResultPane}) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(*id, info.Receive()));
    }
}

} // namespace
