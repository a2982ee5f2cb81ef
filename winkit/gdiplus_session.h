// GDI+ is started while at least one session object lives, and shut down
// when the last one goes. Never create one inside DllMain.
#pragma once

class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Ok() const { return m_ok; }

private:
    bool m_ok = false;
};
