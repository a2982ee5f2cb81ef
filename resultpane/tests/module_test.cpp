// ResultPane.dll as a file: self-registration, what loading it brings along,
// the start panel's painting from the skin beside it, and the cache folder
// it removes. Each test works on its own copy of the DLL in a folder of its own.
#include "ResultPane.h"
#include "com_base.h"
#include "control_site.h"
#include "image.h"
#include "module_path.h"
#include "proc_address.h"
#include "registry.h"
#include "registry_tree.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using DllRegisterFn = HRESULT(STDAPICALLTYPE*)();
using DllInstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
using DllCanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

std::string CurrentTestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A copy of ResultPane.dll with the streaming library it imports (and
// optionally crash.dll) in a fresh folder, laid out as installed.
class DllCopy {
public:
    explicit DllCopy(bool withCrashDll = false) {
        m_folder = MakeLocalScratchFolder(CurrentTestName());
        const std::wstring built = ModuleFolder(GetModuleHandleW(nullptr));
        m_path = m_folder + L"\\ResultPane.dll";
        EXPECT_TRUE(CopyFileW((built + L"\\ResultPane.dll").c_str(), m_path.c_str(), FALSE));
        EXPECT_TRUE(CopyFileW((built + L"\\StreamLink.dll").c_str(),
                              (m_folder + L"\\StreamLink.dll").c_str(), FALSE));
        if (withCrashDll) {
            EXPECT_TRUE(CopyFileW((built + L"\\crash.dll").c_str(),
                                  (m_folder + L"\\crash.dll").c_str(), FALSE));
        }
    }
    ~DllCopy() { Unload(); }

    HMODULE Load() {
        if (!m_module)
            m_module = LoadLibraryW(m_path.c_str());
        return m_module;
    }
    void Unload() {
        if (m_module) {
            auto canUnload = GetProc<DllCanUnloadNowFn>(m_module, "DllCanUnloadNow");
            EXPECT_EQ(S_OK, canUnload()) << "objects of the DLL are still alive";
            FreeLibrary(m_module);
            m_module = nullptr;
        }
    }
    template <class F> F Proc(const char* name) { return GetProc<F>(Load(), name); }

    ComPtr<IUnknown> CreateControl() {
        ComPtr<IClassFactory> factory;
        ComPtr<IUnknown> control;
        auto get = Proc<DllGetClassObjectFn>("DllGetClassObject");
        EXPECT_EQ(S_OK, get(CLSID_CResultPane, IID_IClassFactory, factory.ReceiveVoid()));
        if (factory) {
            EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, control.ReceiveVoid()));
        }
        return control;
    }

    const std::wstring& Folder() const { return m_folder; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_folder;
    std::wstring m_path;
    HMODULE m_module = nullptr;
};

using KeyTree = RegistryTree;

bool KeyExists(HKEY root, const std::wstring& path) {
    return RegistryKeyExists(root, path);
}

KeyTree ClassTree(HKEY root, const std::wstring& prefix) {
    return ReadRegistryTree(root, prefix + L"CLSID\\" + GuidText(CLSID_CResultPane));
}

KeyTree ExpectedClassTree(const std::wstring& dllPath) {
    return KeyTree{
        {L"", {{L"", L"CResultPane Class"}}},
        {L"Programmable", {}},
        {L"InprocServer32", {{L"", dllPath}, {L"ThreadingModel", L"Apartment"}}},
        {L"Control", {}},
        {L"ToolboxBitmap32", {{L"", dllPath + L", 106"}}},
        {L"MiscStatus", {{L"", L"0"}}},
        {L"MiscStatus\\1", {{L"", L"131473"}}},
        {L"TypeLib", {{L"", GuidText(LIBID_ResultPaneLib)}}},
        {L"Version", {{L"", L"1.0"}}},
    };
}

const std::wstring kTypeLibKey = L"TypeLib\\" + GuidText(LIBID_ResultPaneLib);

TEST(Registration, WritesExactlyTheClassKeysAndRemovesThemAgain) {
    DllCopy dll;
    // A stale subkey from an older registration must not survive.
    RegistryKey stale;
    ASSERT_EQ(ERROR_SUCCESS,
              stale.Create(HKEY_CLASSES_ROOT,
                           L"CLSID\\" + GuidText(CLSID_CResultPane) + L"\\Control\\old"));
    stale.Close();

    ASSERT_EQ(S_OK, dll.Proc<DllRegisterFn>("DllRegisterServer")());
    EXPECT_EQ(ExpectedClassTree(dll.Path()), ClassTree(HKEY_CLASSES_ROOT, L""));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0"));

    ASSERT_EQ(S_OK, dll.Proc<DllRegisterFn>("DllUnregisterServer")());
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(CLSID_CResultPane)));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID")) << "the CLSID key itself stays";
    // Unregistering what is not registered is no error.
    EXPECT_EQ(S_OK, dll.Proc<DllRegisterFn>("DllUnregisterServer")());
}

TEST(Registration, InstallForTheUserWritesTheUsersClasses) {
    DllCopy dll;
    // Start registered nowhere: page runs (the demo, the host tests) leave the
    // control registered for the machine.
    ASSERT_EQ(S_OK, dll.Proc<DllRegisterFn>("DllUnregisterServer")());
    auto install = dll.Proc<DllInstallFn>("DllInstall");
    ASSERT_EQ(S_OK, install(TRUE, L"User"));
    EXPECT_EQ(ExpectedClassTree(dll.Path()), ClassTree(HKEY_CURRENT_USER, L"Software\\Classes\\"));
    EXPECT_FALSE(
        KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Classes\\CLSID\\" + GuidText(CLSID_CResultPane)));
    ASSERT_EQ(S_OK, install(FALSE, L"USER"));
    EXPECT_FALSE(
        KeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID\\" + GuidText(CLSID_CResultPane)));

    // Any other command line means the machine.
    ASSERT_EQ(S_OK, install(TRUE, nullptr));
    EXPECT_EQ(ExpectedClassTree(dll.Path()), ClassTree(HKEY_CLASSES_ROOT, L""));
    ASSERT_EQ(S_OK, install(FALSE, L"users"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(CLSID_CResultPane)));
}

TEST(Module, LoadingItLoadsTheCrashReporterBesideIt) {
    DllCopy withCrash(true);
    ASSERT_NE(nullptr, withCrash.Load());
    EXPECT_NE(nullptr, GetModuleHandleW((withCrash.Folder() + L"\\crash.dll").c_str()));
}

// The names of the DLLs a loaded module imports, from its import directory.
std::vector<std::string> ImportedDllNames(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    if (directory.VirtualAddress == 0)
        return names;
    for (auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry)
        names.emplace_back(reinterpret_cast<const char*>(base + entry->Name));
    return names;
}

TEST(Module, LoadsWithTheStreamingLibraryItImports) {
    DllCopy copy;
    const HMODULE module = copy.Load();
    ASSERT_NE(nullptr, module) << "error " << GetLastError();
    const auto imports = ImportedDllNames(module);
    EXPECT_NE(imports.end(), std::find_if(imports.begin(), imports.end(), [](const std::string& n) {
                  return _stricmp(n.c_str(), "StreamLink.dll") == 0;
              }));
    EXPECT_NE(nullptr, GetModuleHandleW(L"StreamLink.dll"));
}

TEST(Module, MissingCrashReporterIsNoError) {
    DllCopy alone;
    EXPECT_NE(nullptr, alone.Load());
    EXPECT_EQ(nullptr, GetModuleHandleW(L"crash.dll"));
}

TEST(Module, FinalReleaseDeletesTheCacheFolderBesideTheDll) {
    OleInitialize(nullptr);
    {
        DllCopy dll;
        const std::wstring tbi = dll.Folder() + L"\\tbi";
        CreateDirectoryW(tbi.c_str(), nullptr);
        CreateDirectoryW((tbi + L"\\deeper").c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(tbi + L"\\h_12.tbi", "ASTI"));
        ASSERT_TRUE(WriteFileBytes(tbi + L"\\deeper\\x.obi", "ASOI"));
        const std::wstring sibling = dll.Folder() + L"\\keep.txt";
        ASSERT_TRUE(WriteFileBytes(sibling, "keep"));

        ComPtr<IUnknown> control = dll.CreateControl();
        ASSERT_TRUE(control);
        ComPtr<IUnknown> second = control;
        control.Reset();
        EXPECT_TRUE(FileExists(tbi)) << "not before the last reference goes";
        second.Reset();
        EXPECT_FALSE(FileExists(tbi));
        EXPECT_TRUE(FileExists(sibling));
    }
    OleUninitialize();
}

// The start panel as painted by a control loaded from dll.
PixelBuffer StartPanelPixels(DllCopy& dll, int width, int height) {
    TestParentWindow parent;
    EXPECT_TRUE(parent.Create(width, height));
    ComPtr<IUnknown> control = dll.CreateControl();
    auto* site = new TestControlSite(parent.Hwnd(), RECT{0, 0, width, height});
    EXPECT_EQ(S_OK, ActivateInSite(control.Get(), site, RECT{0, 0, width, height}));
    HWND window = nullptr;
    control.As<IOleWindow>()->GetWindow(&window);
    HWND panel = GetWindow(window, GW_CHILD);
    EXPECT_NE(nullptr, panel);
    RedrawWindow(panel, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    PixelBuffer pixels = CaptureWindow(panel);
    auto object = control.As<IOleObject>();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object.Reset();
    control.Reset();
    site->Release();
    return pixels;
}

uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
}

void WriteLogo(DllCopy& dll, const PixelBuffer& logo) {
    CreateDirectoryW((dll.Folder() + L"\\skin").c_str(), nullptr);
    ASSERT_TRUE(SavePng(logo, dll.Folder() + L"\\skin\\center_logo.png"));
}

class StartPanelTest : public ::testing::Test {
protected:
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(StartPanelTest, WithoutALogoItIsBlack) {
    DllCopy dll;
    const PixelBuffer pixels = StartPanelPixels(dll, 400, 300);
    ASSERT_EQ(400, pixels.width);
    for (int y = 0; y < pixels.height; y += 7)
        for (int x = 0; x < pixels.width; x += 7)
            ASSERT_EQ(0u, pixels.At(x, y)) << x << "," << y;
}

TEST_F(StartPanelTest, LogoIsCentredOnItsCornerColour) {
    DllCopy dll;
    PixelBuffer logo{100, 60, std::vector<uint32_t>(100 * 60, Rgb(200, 50, 50))};
    logo.pixels[0] = Rgb(10, 20, 30);
    logo.pixels[60 * 100 - 1] = Rgb(0, 255, 0);
    WriteLogo(dll, logo);

    const PixelBuffer pixels = StartPanelPixels(dll, 714, 586);
    const int left = (714 - 100) / 2, top = (586 - 60) / 2;
    EXPECT_EQ(Rgb(10, 20, 30), pixels.At(5, 5)) << "background takes the corner colour";
    EXPECT_EQ(Rgb(10, 20, 30), pixels.At(713, 585));
    EXPECT_EQ(Rgb(10, 20, 30), pixels.At(left, top)) << "the logo's own corner";
    EXPECT_EQ(Rgb(200, 50, 50), pixels.At(left + 1, top));
    EXPECT_EQ(Rgb(200, 50, 50), pixels.At(left + 50, top + 30));
    EXPECT_EQ(Rgb(0, 255, 0), pixels.At(left + 99, top + 59));
    EXPECT_EQ(Rgb(10, 20, 30), pixels.At(left + 100, top + 30)) << "nothing is scaled";
    EXPECT_EQ(Rgb(10, 20, 30), pixels.At(left - 1, top + 30));
}

TEST_F(StartPanelTest, LogoLargerThanThePanelIsCutAroundItsCentre) {
    DllCopy dll;
    PixelBuffer logo{801, 601, std::vector<uint32_t>(801 * 601)};
    for (int y = 0; y < 601; ++y)
        for (int x = 0; x < 801; ++x)
            logo.pixels[y * 801 + x] = Rgb(x % 256, y % 256, x / 256 * 50);
    WriteLogo(dll, logo);
    const PixelBuffer pixels = StartPanelPixels(dll, 714, 586);
    // Offsets (714 - 801) / 2 = -43 and (586 - 601) / 2 = -7, truncated toward zero.
    EXPECT_EQ(Rgb(43, 7, 0), pixels.At(0, 0));
    EXPECT_EQ(Rgb(143, 107, 0), pixels.At(100, 100));
}

} // namespace
