// A static control of a panel, taken over as a window object: every message
// goes on to the control's own procedure.
#pragma once

#include "subclassed_window.h"

class CStaticImpl : public SubclassedWindow {
public:
    ~CStaticImpl() override { Unsubclass(); }

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};
