#include "dialog_template.h"

#include "gdi.h"

#include <string>

namespace {

// Walks a template resource with bounds checks.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    bool Word(WORD& value) { return Read(&value, sizeof(value)); }
    bool Dword(DWORD& value) { return Read(&value, sizeof(value)); }
    bool Short(short& value) { return Read(&value, sizeof(value)); }
    bool Byte(BYTE& value) { return Read(&value, sizeof(value)); }
    // A zero-terminated UTF-16 string.
    bool String(std::wstring& value) {
        value.clear();
        for (;;) {
            WORD c = 0;
            if (!Word(c))
                return false;
            if (c == 0)
                return true;
            value += static_cast<wchar_t>(c);
        }
    }
    // The menu or class field: empty, an ordinal (0xFFFF then a word) or a string.
    bool StringOrOrdinal() {
        WORD first = 0;
        if (!Word(first))
            return false;
        if (first == 0)
            return true;
        if (first == 0xFFFF)
            return Word(first);
        std::wstring rest;
        return String(rest);
    }

private:
    bool Read(void* out, DWORD count) {
        if (m_at + count > m_size)
            return false;
        memcpy(out, m_data + m_at, count);
        m_at += count;
        return true;
    }
    const BYTE* m_data;
    DWORD m_size;
    DWORD m_at = 0;
};

struct TemplateFont {
    bool present = false;
    WORD points = 8;
    WORD weight = FW_NORMAL;
    BYTE italic = 0;
    BYTE charset = DEFAULT_CHARSET;
    std::wstring face;
};

SIZE DialogBaseUnits(const TemplateFont& font) {
    if (!font.present) {
        const LONG units = GetDialogBaseUnits();
        return SIZE{LOWORD(units), HIWORD(units)};
    }
    WindowDC screen(nullptr);
    const int height = -MulDiv(font.points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    GdiFont created(CreateFontW(height, 0, 0, 0, font.weight, font.italic, FALSE, FALSE,
                                font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
    if (!created) {
        const LONG units = GetDialogBaseUnits();
        return SIZE{LOWORD(units), HIWORD(units)};
    }
    SelectObjectScope select(screen.Get(), created.Get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen.Get(), &metrics);
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {};
    GetTextExtentPoint32W(screen.Get(), kAlphabet, 52, &extent);
    return SIZE{(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

} // namespace

bool DialogTemplatePixelSize(HMODULE module, WORD id, SIZE& size) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (data == nullptr)
        return false;
    TemplateReader reader(data, SizeofResource(module, found));

    WORD version = 0, signature = 0, items = 0;
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    const bool extended =
        reader.Word(version) && reader.Word(signature) && version == 1 && signature == 0xFFFF;
    TemplateReader fields(data, SizeofResource(module, found));
    if (extended) {
        fields.Word(version);
        fields.Word(signature);
        if (!fields.Dword(helpId) || !fields.Dword(exStyle) || !fields.Dword(style))
            return false;
    } else if (!fields.Dword(style) || !fields.Dword(exStyle)) {
        return false;
    }
    std::wstring title;
    if (!fields.Word(items) || !fields.Short(x) || !fields.Short(y) || !fields.Short(cx) ||
        !fields.Short(cy) || !fields.StringOrOrdinal() || !fields.StringOrOrdinal() ||
        !fields.String(title))
        return false;

    TemplateFont font;
    if (style & DS_SETFONT) {
        font.present = fields.Word(font.points);
        if (font.present && extended)
            font.present =
                fields.Word(font.weight) && fields.Byte(font.italic) && fields.Byte(font.charset);
        if (font.present)
            font.present = fields.String(font.face);
    }
    const SIZE base = DialogBaseUnits(font);
    size.cx = MulDiv(cx, base.cx, 4);
    size.cy = MulDiv(cy, base.cy, 8);
    return true;
}
