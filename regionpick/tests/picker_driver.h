// Drives the modal picker dialog from a helper thread while the test's own
// thread sits in one of the library's exports: finds the dialog, the
// open-file dialog and message boxes among this process's windows, clicks,
// types and closes them. Every wait has a time limit; a script that fails
// closes whatever is open so the export returns.
#pragma once

#include "picture_geometry.h"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Ends the whole test program when a test runs longer than its limit: a
// modal dialog that nobody closes must not hang the run.
class Watchdog {
public:
    explicit Watchdog(DWORD seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    HANDLE m_done;
    HANDLE m_thread;
    DWORD m_seconds;
};

struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
};

// Raised on the driver thread when the dialog does not do what the script
// waits for.
struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PickerDriver {
public:
    static constexpr DWORD kWaitMs = 15000;

    // The picker dialog once it is up.
    HWND Dialog();
    HWND Canvas();
    HWND Button(int id);

    // Waits until the dialog's thread answers (sent messages only: posted
    // ones may still wait in its queue).
    void Sync();
    // A button press handled before this returns; for buttons that open no
    // window.
    void Press(int id);
    // A button press left in the dialog's queue: for buttons that open a
    // modal window or end the dialog.
    void PostPress(int id);
    void Resize(int width, int height);
    // Mouse messages to the canvas at client coordinates, handled before
    // these return.
    void Click(int x, int y);
    void RightClick(int x, int y);
    void MoveMouse(int x, int y);

    // "导入图片": chooses path in the open-file dialog and confirms.
    void Import(const std::wstring& path);
    // Waits for a message box over the dialog, reads it and presses OK.
    SeenMessageBox CloseMessageBox();

    // Where the canvas shows a picture of width x height.
    PixelRect PictureRect(int width, int height);
    bool DialogIsOpen();
    std::wstring Text(HWND window);

    // Closes every window of this process that a script may have left open.
    static void CloseEverything();

private:
    HWND m_dialog = nullptr;
};

// Runs script on a driver thread while call runs here, then waits for the
// script. Failures of the script are returned as text (empty: none).
std::string DriveWhile(const std::function<void(PickerDriver&)>& script,
                       const std::function<void()>& call);
