// BSTRs at the edges of our scripting interfaces.
#pragma once

#include <oleauto.h>

#include <string>

// The text of a BSTR the caller owns (a null BSTR is empty text).
inline std::wstring TextOf(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// A BSTR of our own, freed when it goes.
class OwnedBstr {
public:
    explicit OwnedBstr(const std::wstring& text)
        : m_text(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~OwnedBstr() { SysFreeString(m_text); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    BSTR Get() const { return m_text; }
    // For [in] BSTR* parameters.
    BSTR* Address() { return &m_text; }

private:
    BSTR m_text;
};
