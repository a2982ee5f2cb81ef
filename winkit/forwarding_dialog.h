// A dialog whose messages go to a handler of the object that owns it: the
// window of a control object that is not itself a window class.
#pragma once

#include "dialog.h"

template <class Owner> class ForwardingDialog : public Dialog {
public:
    using Handler = bool (Owner::*)(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    ForwardingDialog(WORD templateId, Owner& owner, Handler handler)
        : Dialog(templateId), m_owner(owner), m_handler(handler) {}
    ~ForwardingDialog() override { Destroy(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        return (m_owner.*m_handler)(message, wParam, lParam, result);
    }

private:
    Owner& m_owner;
    Handler m_handler;
};
