// SearchPictureDlg: the modal picker dialog ("以图搜图", template 11000). The
// operator imports a picture, outlines the target on the canvas and
// confirms; on OK the dialog writes obj.jpg and mask.jpg into its output
// folder ("SearchPicture" beside the library).
#pragma once

#include "dialog.h"
#include "message_map.h"
#include "search_picture_canvas.h"

#include <string>

class SearchPictureDlg : public Dialog {
public:
    // Fixes the output folder and makes sure it exists.
    SearchPictureDlg();
    ~SearchPictureDlg() override { Destroy(); }

    // The picture shown at start (may be empty); set before running.
    std::wstring m_strInitPicture;

    const std::wstring& SaveDir() const { return m_strSaveDir; }
    KSearchPicture& Canvas() { return m_canvas; }
    // True when OK wrote obj.jpg and mask.jpg.
    bool TargetFilesSaved() const { return m_targetFilesSaved; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnCommand(WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(WPARAM, LPARAM, bool& handled);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM, bool& handled);

    void OnImportPicture();
    void OnSelectTarget();
    void OnConfirm();
    void LayOut();

    static const MessageEntry<SearchPictureDlg> kMessages[];

    std::wstring m_strSaveDir;
    KSearchPicture m_canvas;
    bool m_targetFilesSaved = false;
};
