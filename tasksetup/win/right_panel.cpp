#include "right_panel.h"

#include "base64.h"
#include "config_messages.h"
#include "panel_choices.h"
#include "outside_libraries.h"
#include "parameter_writers.h"
#include "reflection.h"
#include "resource.h"
#include "thread_ansi_text.h"

#include <commctrl.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace {

constexpr int kColorButtonIds[3] = {IDC_MAIN_COLOR, IDC_UPPER_COLOR, IDC_LOWER_COLOR};
constexpr int kColorCheckIds[3] = {IDC_MAIN_COLOR_CHECK, IDC_UPPER_COLOR_CHECK,
                                   IDC_LOWER_COLOR_CHECK};
constexpr int kColorPickIds[3] = {IDC_MAIN_COLOR_PICK, IDC_UPPER_COLOR_PICK, IDC_LOWER_COLOR_PICK};
constexpr int kSceneIds[3] = {IDC_SCENE_SUNNY, IDC_SCENE_OVERCAST, IDC_SCENE_NIGHT};

// The retrieval controls that the "视频检索" box switches as a whole.
constexpr int kRetrievalGroup[] = {IDC_OBJECT_PERSON_VEHICLE, IDC_OBJECT_PERSON,
                                   IDC_OBJECT_VEHICLE,        IDC_OBJECT_ALL,
                                   IDC_MAIN_COLOR_CHECK,      IDC_UPPER_COLOR_CHECK,
                                   IDC_LOWER_COLOR_CHECK,     IDC_MAIN_COLOR,
                                   IDC_UPPER_COLOR,           IDC_LOWER_COLOR,
                                   IDC_MAIN_COLOR_PICK,       IDC_UPPER_COLOR_PICK,
                                   IDC_LOWER_COLOR_PICK,      IDC_SEARCH_PICTURE_CHECK,
                                   IDC_SEARCH_PICTURE_CHOOSE};

// The analysis controls that a read-only task greys out.
constexpr int kAnalysisControls[] = {
    IDC_MODE_SYNOPSIS,   IDC_MODE_RETRIEVAL, IDC_SCENE_SUNNY, IDC_SCENE_OVERCAST, IDC_SCENE_NIGHT,
    IDC_REGION_INTEREST, IDC_REGION_IGNORE,  IDC_TRIPWIRE,    IDC_PRIORITY,       IDC_FINENESS,
    IDC_DROP_RATE,       IDC_THICKNESS,      IDC_OUTPUT_SIZE, IDC_SNAP_TYPE};

// Object class radios and the obj_type each stands for.
constexpr struct {
    int id;
    int32_t objType;
} kObjectClasses[] = {{IDC_OBJECT_PERSON_VEHICLE, 3},
                      {IDC_OBJECT_PERSON, 1},
                      {IDC_OBJECT_VEHICLE, 2},
                      {IDC_OBJECT_ALL, 0}};

const wchar_t* FinenessText(int fineness) {
    switch (fineness) {
    case 1:
        return L"低";
    case 2:
        return L"中";
    default:
        return L"高";
    }
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

void FillList(HWND list, const std::vector<std::wstring>& entries) {
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

} // namespace

CRightPanel::CRightPanel() : Dialog(IDD_RIGHTPANEL) {}

bool CRightPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const ComPtr<IUnknown> keepAlive =
        message == WM_COMMAND ? ComPtr<IUnknown>::Share(m_owner) : ComPtr<IUnknown>();
    if (DispatchMessageTable(this, kMessages, message, wParam, lParam, result))
        return true;
    // The colour buttons draw themselves and handle their own clicks.
    return ReflectNotification(message, wParam, lParam, result);
}

// ---- small control helpers ----

bool CRightPanel::IsChecked(int id) const {
    return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CRightPanel::Check(int id, bool checked) {
    CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CRightPanel::Enable(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

bool CRightPanel::IsUsable(int id) const {
    return IsChecked(id) && IsWindowEnabled(Item(id));
}

void CRightPanel::SetNumber(int id, int value) {
    SetDlgItemTextW(m_hWnd, id, std::to_wstring(value).c_str());
}

int CRightPanel::Selection(int id) const {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

// ---- initialisation ----

LRESULT CRightPanel::OnInitDialog(WPARAM, LPARAM, bool&) {
    for (int i = 0; i < 3; ++i)
        m_colorButtons[i].Subclass(Item(kColorButtonIds[i]));
    HWND preview = Item(IDC_SEARCH_PICTURE_PREVIEW);
    m_preview.Subclass(preview);
    RECT area;
    GetWindowRect(preview, &area);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    m_preview.SetArea(area.left, area.top, area.right - area.left, area.bottom - area.top);

    const TaskParams& p = m_params;
    Check(IDC_MODE_SYNOPSIS, p.type == 1 || p.type == 2);
    Check(IDC_MODE_RETRIEVAL, p.type == 1);
    m_retrievalChecked = p.type == 1;
    EnableRetrievalGroup(p.type == 1);
    CheckScene(p.sensitivity);

    SendDlgItemMessageW(m_hWnd, IDC_PRIORITY, TBM_SETRANGE, TRUE, MAKELPARAM(0, 127));
    SendDlgItemMessageW(m_hWnd, IDC_FINENESS, TBM_SETRANGE, TRUE, MAKELPARAM(1, 3));
    SendDlgItemMessageW(m_hWnd, IDC_THICKNESS, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    SendDlgItemMessageW(m_hWnd, IDC_PRIORITY, TBM_SETPOS, TRUE, p.task_priority);
    SendDlgItemMessageW(m_hWnd, IDC_FINENESS, TBM_SETPOS, TRUE, p.fineness);
    SendDlgItemMessageW(m_hWnd, IDC_THICKNESS, TBM_SETPOS, TRUE, p.thickness);
    ShowTrackbarValues();

    FillList(Item(IDC_DROP_RATE), DropRateEntries());
    SendDlgItemMessageW(m_hWnd, IDC_DROP_RATE, CB_SETCURSEL, 0, 0);
    FillList(Item(IDC_OUTPUT_SIZE), OutputSizeEntries(0, 0));
    SendDlgItemMessageW(m_hWnd, IDC_OUTPUT_SIZE, CB_SETCURSEL, 0, 0);
    FillList(Item(IDC_SNAP_TYPE), {L"截图", L"合成"});
    SendDlgItemMessageW(m_hWnd, IDC_SNAP_TYPE, CB_SETCURSEL, 0, 0);

    if (p.obj_type == 3) {
        Check(IDC_OBJECT_PERSON_VEHICLE, true);
        ApplyObjectClassRules(3);
    } else {
        Check(p.obj_type == 1 ? IDC_OBJECT_PERSON : IDC_OBJECT_VEHICLE, true);
    }
    Check(IDC_MAIN_COLOR_CHECK, p.avg_color != kNoColor);
    Check(IDC_UPPER_COLOR_CHECK, p.upper_color != kNoColor);
    Check(IDC_LOWER_COLOR_CHECK, p.lower_color != kNoColor);
    if (!p.request_image_data.empty())
        Check(IDC_MODE_RETRIEVAL, true);
    Enable(IDC_SEARCH_PICTURE_CHECK, false);
    Enable(IDC_SEARCH_PICTURE_CHOOSE, false);
    Check(IDC_SEARCH_PICTURE_CHECK, false);
    return TRUE;
}

// ---- rules ----

void CRightPanel::EnableRetrievalGroup(bool enabled) {
    for (int id : kRetrievalGroup)
        Enable(id, enabled);
}

void CRightPanel::ApplyObjectClassRules(int32_t objType) {
    const ObjectClassRules rules = RulesOfObjectClass(objType);
    Enable(IDC_SEARCH_PICTURE_CHECK, rules.searchPicture);
    Enable(IDC_SEARCH_PICTURE_CHOOSE, rules.searchPicture);
    if (!rules.searchPicture)
        Check(IDC_SEARCH_PICTURE_CHECK, false);
    const bool colors[3] = {rules.mainColor, rules.upperColor, rules.lowerColor};
    for (int i = 0; i < 3; ++i) {
        Enable(kColorCheckIds[i], colors[i]);
        Enable(kColorButtonIds[i], colors[i]);
        Enable(kColorPickIds[i], colors[i]);
        if (!colors[i] && rules.uncheckDisabledColors)
            Check(kColorCheckIds[i], false);
    }
}

int32_t CRightPanel::CheckedObjectClass() const {
    for (const auto& objectClass : kObjectClasses)
        if (IsChecked(objectClass.id))
            return objectClass.objType;
    return -1;
}

void CRightPanel::CheckObjectClass(int32_t objType) {
    for (const auto& objectClass : kObjectClasses)
        Check(objectClass.id, objectClass.objType == objType);
    ApplyObjectClassRules(objType);
}

void CRightPanel::CheckScene(int32_t sensitivity) {
    const int radio = SceneRadioOfSensitivity(sensitivity);
    for (int i = 0; i < 3; ++i)
        Check(kSceneIds[i], i == radio);
}

void CRightPanel::ShowTrackbarValues() {
    SetNumber(IDC_PRIORITY_VALUE,
              static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_PRIORITY, TBM_GETPOS, 0, 0)));
    SetNumber(IDC_THICKNESS_VALUE,
              static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_THICKNESS, TBM_GETPOS, 0, 0)));
    const int fineness =
        static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_FINENESS, TBM_GETPOS, 0, 0));
    SetDlgItemTextW(m_hWnd, IDC_FINENESS_VALUE, FinenessText(fineness));
}

// ---- the operator's clicks ----

LRESULT CRightPanel::OnCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    // After our own handling the notification goes back to its control.
    handled = false;
    if (HIWORD(wParam) != BN_CLICKED)
        return 0;
    const int id = LOWORD(wParam);
    // A greyed-out control can still be clicked by a program (BM_CLICK);
    // it changes nothing, as for the operator.
    if (!IsWindowEnabled(reinterpret_cast<HWND>(lParam)))
        return 0;
    switch (id) {
    case IDC_MODE_SYNOPSIS:
    case IDC_MODE_RETRIEVAL:
        OnModeClicked();
        break;
    case IDC_OBJECT_PERSON_VEHICLE:
    case IDC_OBJECT_PERSON:
    case IDC_OBJECT_VEHICLE:
    case IDC_OBJECT_ALL:
        ApplyObjectClassRules(CheckedObjectClass());
        break;
    case IDC_REGION_INTEREST:
    case IDC_REGION_IGNORE:
        SendMessageW(GetParent(m_hWnd), kRegionMessage, IsChecked(IDC_REGION_INTEREST) ? 1 : 0, 0);
        break;
    case IDC_TRIPWIRE:
        SendMessageW(GetParent(m_hWnd), kTripwireMessage, IsChecked(IDC_TRIPWIRE) ? 1 : 0, 0);
        break;
    case IDC_MAIN_COLOR_PICK:
        OnPickColor(0);
        break;
    case IDC_UPPER_COLOR_PICK:
        OnPickColor(1);
        break;
    case IDC_LOWER_COLOR_PICK:
        OnPickColor(2);
        break;
    case IDC_SEARCH_PICTURE_CHOOSE:
        OnChooseSearchPicture();
        break;
    default:
        break;
    }
    return 0;
}

void CRightPanel::OnModeClicked() {
    const bool retrieval = IsChecked(IDC_MODE_RETRIEVAL);
    if (retrieval != m_retrievalChecked) {
        m_retrievalChecked = retrieval;
        EnableRetrievalGroup(retrieval);
        if (retrieval)
            ApplyObjectClassRules(CheckedObjectClass());
    }
    // One of the two modes is always on.
    if (!retrieval && !IsChecked(IDC_MODE_SYNOPSIS))
        Check(IDC_MODE_SYNOPSIS, true);
}

LRESULT CRightPanel::OnHScroll(WPARAM, LPARAM, bool&) {
    ShowTrackbarValues();
    return 0;
}

LRESULT CRightPanel::OnColorChosen(WPARAM, LPARAM lParam, bool&) {
    for (int i = 0; i < 3; ++i)
        if (kColorButtonIds[i] == static_cast<int>(lParam))
            Check(kColorCheckIds[i], true);
    return 0;
}

void CRightPanel::OnPickColor(int index) {
    HWND self = m_hWnd;
    const uint32_t color = PickScreenColor();
    // The picker ran its own message loop.
    if (m_hWnd == self && IsWindow(self))
        m_colorButtons[index].SetColor(color);
}

void CRightPanel::OnChooseSearchPicture() {
    HWND self = m_hWnd;
    std::wstring picture, mask;
    if (!ChooseSearchPicture(picture, mask) || m_hWnd != self || !IsWindow(self))
        return;
    m_picturePath = picture;
    m_maskPath = mask;
    m_preview.LoadImage(picture);
    Check(IDC_SEARCH_PICTURE_CHECK, true);
}

// ---- the control's calls ----

void CRightPanel::SetImageSize(int width, int height) {
    if (width == 0 || height == 0)
        return;
    m_snapshotWidth = width;
    m_snapshotHeight = height;
    FillList(Item(IDC_OUTPUT_SIZE), OutputSizeEntries(width, height));
    SendDlgItemMessageW(m_hWnd, IDC_OUTPUT_SIZE, CB_SETCURSEL, 0, 0);
}

void CRightPanel::ReadSearchPicture() {
    if (!IsUsable(IDC_SEARCH_PICTURE_CHECK) || m_picturePath.empty()) {
        m_params.request_image_data.clear();
        m_params.request_mask_data.clear();
        return;
    }
    // A file that cannot be read keeps what the last collect read.
    if (const auto picture = ReadWholeFile(m_picturePath))
        m_params.request_image_data = Base64Encode(*picture);
    if (const auto mask = ReadWholeFile(m_maskPath))
        m_params.request_mask_data = Base64Encode(*mask);
}

std::wstring CRightPanel::CollectParameters() {
    TaskParams& p = m_params;
    p.type = AnalysisTypeOf(IsChecked(IDC_MODE_SYNOPSIS), IsChecked(IDC_MODE_RETRIEVAL));
    for (int i = 0; i < 3; ++i)
        if (IsChecked(kSceneIds[i]))
            p.sensitivity = SensitivityOfSceneRadio(i);
    p.fineness = static_cast<int32_t>(SendDlgItemMessageW(m_hWnd, IDC_FINENESS, TBM_GETPOS, 0, 0));
    p.task_priority =
        static_cast<int32_t>(SendDlgItemMessageW(m_hWnd, IDC_PRIORITY, TBM_GETPOS, 0, 0));
    p.thickness =
        static_cast<int32_t>(SendDlgItemMessageW(m_hWnd, IDC_THICKNESS, TBM_GETPOS, 0, 0));
    p.drop_frm_rate = DropRateOfIndex(Selection(IDC_DROP_RATE));
    p.snap_type = Selection(IDC_SNAP_TYPE);
    const OutputSize size =
        OutputSizeOfIndex(Selection(IDC_OUTPUT_SIZE), m_snapshotWidth, m_snapshotHeight);
    p.summary_width = size.width;
    p.summary_height = size.height;

    if (IsChecked(IDC_MODE_RETRIEVAL)) {
        const int32_t objType = CheckedObjectClass();
        if (objType >= 0)
            p.obj_type = objType;
        uint32_t* colors[3] = {&p.avg_color, &p.upper_color, &p.lower_color};
        for (int i = 0; i < 3; ++i)
            *colors[i] = IsUsable(kColorCheckIds[i]) ? m_colorButtons[i].Color() : kNoColor;
    }
    ReadSearchPicture();
    return PanelString(p, ThreadAnsiToWide);
}

void CRightPanel::SetParameters(const TaskParams& p, int32_t regionAttr, int32_t crossdir,
                                bool enabled) {
    CheckScene(p.sensitivity);
    Check(IDC_REGION_INTEREST, regionAttr == 1);
    Check(IDC_REGION_IGNORE, regionAttr == 0);
    Check(IDC_TRIPWIRE, crossdir != -2);

    SendDlgItemMessageW(m_hWnd, IDC_PRIORITY, TBM_SETPOS, TRUE, p.task_priority);
    SendDlgItemMessageW(m_hWnd, IDC_FINENESS, TBM_SETPOS, TRUE, p.fineness);
    SendDlgItemMessageW(m_hWnd, IDC_THICKNESS, TBM_SETPOS, TRUE, p.thickness);
    ShowTrackbarValues();
    // Frame dropping and the snapshot mode stay as the panel last collected
    // them; the record's values are not shown.
    SendDlgItemMessageW(m_hWnd, IDC_DROP_RATE, CB_SETCURSEL,
                        DropRateIndexNear(m_params.drop_frm_rate), 0);
    if (SendDlgItemMessageW(m_hWnd, IDC_SNAP_TYPE, CB_SETCURSEL, m_params.snap_type, 0) == CB_ERR)
        SendDlgItemMessageW(m_hWnd, IDC_SNAP_TYPE, CB_SETCURSEL, 0, 0);

    const std::wstring size = OutputSizeText(p.summary_width, p.summary_height);
    const LRESULT sizeEntry =
        SendDlgItemMessageW(m_hWnd, IDC_OUTPUT_SIZE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(size.c_str()));
    SendDlgItemMessageW(m_hWnd, IDC_OUTPUT_SIZE, CB_SETCURSEL, sizeEntry == CB_ERR ? 0 : sizeEntry,
                        0);

    // The synopsis box follows the mode too, so that the mode reads back as
    // given (and never with both boxes off).
    Check(IDC_MODE_SYNOPSIS, p.type != 0);
    if (p.type == 2) {
        EnableRetrievalGroup(false);
        Check(IDC_MODE_RETRIEVAL, false);
        m_retrievalChecked = false;
    } else {
        EnableRetrievalGroup(true);
        Check(IDC_MODE_RETRIEVAL, true);
        m_retrievalChecked = true;
        if (p.obj_type >= 1 && p.obj_type <= 3)
            CheckObjectClass(p.obj_type);
        const uint32_t colors[3] = {p.avg_color, p.upper_color, p.lower_color};
        for (int i = 0; i < 3; ++i) {
            if (colors[i] == kNoColor)
                continue;
            m_colorButtons[i].SetColor(colors[i]);
            Check(kColorCheckIds[i], true);
            if (i == 0) {
                Check(IDC_UPPER_COLOR_CHECK, false);
                Check(IDC_LOWER_COLOR_CHECK, false);
            } else {
                Check(IDC_MAIN_COLOR_CHECK, false);
            }
        }
        // The picture is shown, but its file is not known again: a later
        // collect sends no picture unless one is chosen anew.
        m_picturePath.clear();
        m_maskPath.clear();
        if (p.enable_search_by_image == 1) {
            Check(IDC_SEARCH_PICTURE_CHECK, true);
            const auto picture = Base64Decode(p.request_image_data);
            m_preview.LoadImageBytes(picture ? *picture : std::string());
        } else {
            Check(IDC_SEARCH_PICTURE_CHECK, false);
        }
    }

    if (!enabled)
        EnableRetrievalGroup(false);
    for (int id : kAnalysisControls)
        Enable(id, enabled);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
