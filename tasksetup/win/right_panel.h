// The parameter panel at the control's right edge (dialog 201): every scalar
// task parameter as a control, the region and tripwire choices for the
// drawing view, three colour buttons and the search picture.
#pragma once

#include "color_sel_button.h"
#include "com_base.h"
#include "dialog.h"
#include "image_view_ctrl.h"
#include "message_map.h"
#include "task_params.h"

#include <array>
#include <string>

class CRightPanel : public Dialog {
public:
    CRightPanel();
    ~CRightPanel() override { Destroy(); }

    // The loaded snapshot's size, offered in the output-size list (ignored
    // when either is 0).
    void SetImageSize(int width, int height);
    // Shows p; regionAttr and crossdir choose the region kind and the
    // tripwire box; enabled false greys every parameter out.
    void SetParameters(const TaskParams& p, int32_t regionAttr, int32_t crossdir, bool enabled);
    // Reads the controls into the panel's parameters and returns the panel
    // string.
    std::wstring CollectParameters();

    // The COM object that owns the panel: held while a click runs a dialog
    // of its own, so a page that lets the control go meanwhile cannot delete
    // the panel under the running handler.
    void SetKeepAlive(IUnknown* owner) { m_owner = owner; }

    const TaskParams& Params() const { return m_params; }
    CColorSelButton& ColorButton(int index) { return m_colorButtons[index]; }
    CImageViewCtrl& Preview() { return m_preview; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnCommand(WPARAM, LPARAM, bool& handled);
    LRESULT OnHScroll(WPARAM, LPARAM, bool& handled);
    LRESULT OnColorChosen(WPARAM, LPARAM, bool& handled);
    static constexpr MessageEntry<CRightPanel> kMessages[] = {
        {WM_INITDIALOG, &CRightPanel::OnInitDialog},
        {WM_COMMAND, &CRightPanel::OnCommand},
        {WM_HSCROLL, &CRightPanel::OnHScroll},
        {kColorChosenMessage, &CRightPanel::OnColorChosen},
    };

    bool IsChecked(int id) const;
    void Check(int id, bool checked);
    void Enable(int id, bool enabled);
    bool IsUsable(int id) const; // checked and enabled
    void SetNumber(int id, int value);
    int Selection(int id) const;

    void EnableRetrievalGroup(bool enabled);
    void ApplyObjectClassRules(int32_t objType);
    int32_t CheckedObjectClass() const;
    void CheckObjectClass(int32_t objType);
    void CheckScene(int32_t sensitivity);
    void ShowTrackbarValues();
    void OnModeClicked();
    void OnPickColor(int index);
    void OnChooseSearchPicture();
    void ReadSearchPicture();

    IUnknown* m_owner = nullptr;
    TaskParams m_params;
    int m_snapshotWidth = 0;
    int m_snapshotHeight = 0;
    std::wstring m_picturePath;
    std::wstring m_maskPath;
    bool m_retrievalChecked = false;
    std::array<CColorSelButton, 3> m_colorButtons;
    CImageViewCtrl m_preview;
};
