// Dialogs from dialog resources: modeless child panels and modal dialogs,
// with messages delivered to the object through Window::OnMessage.
//
// The object receives every message of its window, from the first one sent
// while the window is being created (WM_GETMINMAXINFO, WM_NCCREATE,
// WM_CREATE, the first WM_SIZE) to WM_NCDESTROY: the window is subclassed the
// moment it exists, before the dialog manager has handed it a dialog
// procedure.
//
// A dialog class either overrides OnMessage with a table of its own, or
// (for dialogs meant to be derived from again, such as the skinned bases of
// an application) keeps Dialog's OnMessage and names its table through
// GetMessageMap, chained to its base class's table (message_map.h).
#pragma once

#include "message_map.h"
#include "window.h"

// What a class is and what it derives from, for IsKindOf.
struct RuntimeClass {
    const char* className;
    int objectSize;
    const RuntimeClass* baseClass;

    bool IsDerivedFrom(const RuntimeClass* base) const {
        for (const RuntimeClass* at = this; at != nullptr; at = at->baseClass)
            if (at == base)
                return true;
        return false;
    }
};

class WINKIT_DIALOG_API Dialog : public Window {
public:
    explicit Dialog(WORD templateId) : m_templateId(templateId) {}
    // An application dialog: its template lies in the program's module (see
    // SetResourceModule) and parent (may be none) owns it.
    Dialog(WORD templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}
    ~Dialog() override;

    WORD TemplateId() const { return m_templateId; }

    // Creates the dialog (modeless) from the template in module.
    HWND Create(HWND parent, HMODULE module);
    // Runs the dialog modally; returns what EndDialog was given, or -1.
    INT_PTR RunModal(HWND parent, HMODULE module);
    // The same with the parent given at construction and the resource module.
    HWND Create() { return Create(m_parent, ResourceModule()); }
    INT_PTR RunModal() { return RunModal(m_parent, ResourceModule()); }
    void End(INT_PTR result) { EndDialog(m_hWnd, result); }
    // True while RunModal runs.
    bool IsModal() const { return m_modal; }

    // Where the no-argument Create and RunModal find the template: the
    // program's module unless set.
    void SetResourceModule(HMODULE module) { m_resourceModule = module; }
    HMODULE ResourceModule() const;

    // A child control of the dialog.
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

    static const RuntimeClass classDialog;
    virtual const RuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const RuntimeClass* runtimeClass) const {
        return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
    }

protected:
    // Dispatches through GetMessageMap's chain.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The class's chained message table; Dialog's own answers IDOK and
    // IDCANCEL of a modal dialog by ending it.
    virtual const MessageMap* GetMessageMap() const;
    static const MessageMap messageMap;

    // Every message of the window passes here: by default OnMessage, then
    // DefaultProc for what it leaves. Override to look at a message before
    // or after the handlers (the last message, WM_NCDESTROY, does not pass).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The dialog manager's own handling; call it only while handling a message.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnCommand(WPARAM wParam, LPARAM lParam, bool& handled);

private:
    friend struct DialogCreation;

    HWND CreateOrRun(HWND parent, HMODULE module, INT_PTR* modalResult);
    bool TakeWindowAtCreation(HWND window);
    LRESULT SafeWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

    static const MessageEntry<Dialog> kDialogMessages[];

    WORD m_templateId;
    HWND m_parent = nullptr;
    HMODULE m_resourceModule = nullptr;
    bool m_modal = false;
};
