#include "gdiplus_session.h"

#include <windows.h>

#include <gdiplus.h>

#include <mutex>

namespace {

std::mutex g_lock;
int g_sessions = 0;
ULONG_PTR g_token = 0;

} // namespace

GdiplusSession::GdiplusSession() {
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_sessions == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok)
            return;
    }
    ++g_sessions;
    m_ok = true;
}

GdiplusSession::~GdiplusSession() {
    if (!m_ok)
        return;
    std::lock_guard<std::mutex> hold(g_lock);
    if (--g_sessions == 0) {
        Gdiplus::GdiplusShutdown(g_token);
        g_token = 0;
    }
}
