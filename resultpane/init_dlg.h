// The start panel: the logo on a background of the logo's corner colour,
// shown until the first result is requested.
#pragma once

#include "dialog.h"
#include "image.h"
#include "message_map.h"

class CInitDlg : public Dialog {
public:
    CInitDlg();
    ~CInitDlg() override { Destroy(); }

    const Image& Logo() const { return m_logo; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnInitDialog(WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM, bool& handled);

    static const MessageEntry<CInitDlg> kMessages[];
    Image m_logo;
};
