#include "skinshell_skin.h"

#include "bmp_encoder.h"
#include "png_encoder.h"
#include "skin_files.h"

#include <algorithm>
#include <cmath>

namespace {

// ---- sprite-sheet dialog: a blue frame around a pale client area ----

const Colour kSpriteFrame = Hex(0x3C7FC1);
const Colour kSpriteTitleBottom = Hex(0x2A67A3);
const Colour kSpriteInnerBorder = Hex(0xCFE0F0);
const Colour kSpriteGlyph = Hex(0xFFFFFF);
const Colour kSpritePressedPlate = Hex(0x1F4E80);

constexpr int kSpriteWidth = 68;
constexpr int kSpriteHeight = 92;
constexpr int kTitleSourceRows = 22;             // the title column (13, 0, 1, 22)
constexpr int kTitleHeight = 35;                 // what it is stretched over
constexpr int kGlyphTop = 5;                     // where the glyphs stand in the title bar
constexpr int kGlyphColumns[] = {0, 17, 34, 51}; // minimise, maximise, restore, close
constexpr int kGlyphRows[] = {44, 60, 76};       // normal, hover and inactive, pressed

// The title column: the frame colour in its top rows (which the bottom
// border's 4 x 4 source shares), then a gentle darkening.
Colour SpriteTitleRow(int row) {
    if (row < 4)
        return kSpriteFrame;
    const float t = static_cast<float>(row - 4) / (kTitleSourceRows - 1 - 4);
    return {kSpriteFrame.r + (kSpriteTitleBottom.r - kSpriteFrame.r) * t,
            kSpriteFrame.g + (kSpriteTitleBottom.g - kSpriteFrame.g) * t,
            kSpriteFrame.b + (kSpriteTitleBottom.b - kSpriteFrame.b) * t, 1.0f};
}

// The title colour behind a glyph row once the column is stretched to 35
// rows, so that the glyph cells sit on the title bar without a seam.
Colour TitleBehindGlyphRow(int glyphRow) {
    const int titleRow = kGlyphTop + glyphRow;
    const int source = std::min(kTitleSourceRows - 1, titleRow * kTitleSourceRows / kTitleHeight);
    return SpriteTitleRow(source);
}

// The four glyphs in a 16 x 16 box.
Shape SpriteGlyph(int which) {
    switch (which) {
    case 0:
        return Rect(4, 10, 12, 11.6);
    case 1:
        return Minus(Rect(3.5, 3.5, 12.5, 12.5), Rect(5, 6, 11, 11));
    case 2: {
        const Shape front = Minus(Rect(3, 6, 10.5, 13.5), Rect(4.5, 8, 9, 12));
        const Shape back =
            Minus(Minus(Rect(5.5, 3, 13, 10.5), Rect(7, 5, 11.5, 9)), Rect(3, 6, 10.5, 13.5));
        return Union({front, back});
    }
    default:
        return Union(
            {Stroke({{4.5, 4.5}, {11.5, 11.5}}, 1.7), Stroke({{11.5, 4.5}, {4.5, 11.5}}, 1.7)});
    }
}

Canvas SpriteSheet() {
    Canvas sheet(kSpriteWidth, kSpriteHeight, kSpriteFrame);
    for (int row = 0; row < kTitleSourceRows; ++row)
        sheet.Fill(Rect(13, row, 14, row + 1), SpriteTitleRow(row));
    sheet.Fill(Rect(36, 8, 37, 9), kSpriteInnerBorder);
    for (int state = 0; state < 3; ++state) {
        const int top = kGlyphRows[state];
        for (int which = 0; which < 4; ++which) {
            const int left = kGlyphColumns[which];
            for (int y = 0; y < 16; ++y)
                sheet.Fill(Rect(left, top + y, left + 16, top + y + 1), TitleBehindGlyphRow(y));
            const Placement at = {static_cast<double>(left), static_cast<double>(top), 1};
            if (state == 1)
                sheet.Fill(RoundRect(0, 0, 16, 16, 3), Hex(0xFFFFFF, 0.24f), at);
            if (state == 2) {
                sheet.Fill(RoundRect(0, 0, 16, 16, 3), kSpritePressedPlate, at);
                sheet.Fill(SpriteGlyph(which), Hex(0xE6EEF6), {at.originX, at.originY + 1, 1});
            } else {
                sheet.Fill(SpriteGlyph(which), kSpriteGlyph, at);
            }
        }
    }
    return sheet;
}

// A window with a title band and a few lines of content, in a size x size box.
Canvas WindowEmblem(int size, Colour band) {
    Canvas canvas(size, size);
    const Placement at = {0, 0, size / 32.0};
    canvas.Fill(RoundRect(2, 3, 30, 28, 5), Hex(0xFFFFFF), at);
    canvas.Fill(Minus(RoundRect(2, 3, 30, 28, 5), Rect(0, 10, 32, 32)), band, at);
    canvas.Fill(RoundRect(6, 14, 24, 16.5, 1.2), Hex(0x8FA3B8), at);
    canvas.Fill(RoundRect(6, 19, 20, 21.5, 1.2), Hex(0xB4C2D0), at);
    canvas.Fill(Polygon({{19, 18}, {19, 26}, {26, 22}}), Hex(0x1E88E5), at);
    return canvas;
}

// ---- client-drawn dialog ("DialogSkin"): a dark slate frame ----

const Colour kSlateEdge = Hex(0x1C2128);
const Colour kSlateTitleTop = Hex(0x323A46);
const Colour kSlateTitleBottom = Hex(0x262C35);
const Colour kAccent = Hex(0x1E88E5);
const Colour kAccentDark = Hex(0x1565C0);

// [left 19][middle 1][right 19], 35 high.
Canvas SlateTitle() {
    Canvas canvas(39, 35, kSlateTitleBottom);
    canvas.FillGradient(Rect(0, 2, 39, 34), kSlateTitleTop, kSlateTitleBottom, 2, 34);
    canvas.Fill(Rect(0, 0, 39, 2), kAccent);
    canvas.Fill(Rect(0, 34, 39, 35), kSlateEdge);
    canvas.Fill(Rect(0, 2, 1, 35), kSlateEdge);
    canvas.Fill(Rect(38, 2, 39, 35), kSlateEdge);
    return canvas;
}

// The 3-pixel status strip: an accent line.
Canvas SlateStatus() {
    Canvas canvas(39, 3, kAccentDark);
    canvas.Fill(Rect(0, 0, 39, 1), kSlateEdge);
    canvas.Fill(Rect(0, 1, 39, 2), kAccent);
    return canvas;
}

// [left 3][right 3], 32 high: dark outside, lighter towards the client.
Canvas SlateBorder() {
    Canvas canvas(6, 32);
    const Colour shades[] = {kSlateEdge, Hex(0x2A313B), Hex(0x363E4A)};
    for (int k = 0; k < 3; ++k) {
        canvas.Fill(Rect(k, 0, k + 1, 32), shades[k]);
        canvas.Fill(Rect(5 - k, 0, 6 - k, 32), shades[k]);
    }
    return canvas;
}

Shape Cross(double from, double to, double width) {
    return Union(
        {Stroke({{from, from}, {to, to}}, width), Stroke({{to, from}, {from, to}}, width)});
}

enum class Face { Normal, Hover, Pressed };

// 23 x 23: a light cross; a red disc behind it when hovered or pressed.
Canvas SlateClose(Face face) {
    Canvas canvas(23, 23);
    const double push = face == Face::Pressed ? 1 : 0;
    if (face != Face::Normal)
        canvas.Fill(Circle(11.5, 11.5, 10.5), face == Face::Hover ? Hex(0xE5484D) : Hex(0xB93A3E));
    canvas.Fill(Offset(Cross(7.5, 15.5, 1.8), 0, push),
                face == Face::Normal ? Hex(0xC5CDD8) : Hex(0xFFFFFF));
    return canvas;
}

// ---- frame dialog: a blue title bar, a light status bar ----

const Colour kFrameTitleTop = Hex(0x1D78CF);
const Colour kFrameTitleBottom = Hex(0x1259A8);
const Colour kFrameBackground = Hex(0xF3F5F8); // BKColR/G/B of its skin.ini
const Colour kFrameLine = Hex(0xD5DCE4);

constexpr int kFrameSide = 32;
constexpr int kFrameMiddle = 128;
constexpr int kFrameStripWidth = 2 * kFrameSide + kFrameMiddle;
constexpr int kFrameTitleHeight = 50;
constexpr int kFrameStatusHeight = 35;
constexpr int kFrameBorder = 8;

Canvas FrameTitle() {
    Canvas canvas(kFrameStripWidth, kFrameTitleHeight);
    canvas.FillGradient(Rect(0, 0, kFrameStripWidth, kFrameTitleHeight), kFrameTitleTop,
                        kFrameTitleBottom, 0, kFrameTitleHeight);
    canvas.Fill(Rect(0, kFrameTitleHeight - 1, kFrameStripWidth, kFrameTitleHeight), Hex(0x0E4A8E));
    return canvas;
}

// A light strip; the right tile carries a grip where the frame can be sized
// from its bottom-right corner.
Canvas FrameStatus() {
    Canvas canvas(kFrameStripWidth, kFrameStatusHeight);
    canvas.FillGradient(Rect(0, 0, kFrameStripWidth, kFrameStatusHeight), Hex(0xEEF2F6),
                        Hex(0xDDE3EA), 0, kFrameStatusHeight);
    canvas.Fill(Rect(0, 0, kFrameStripWidth, 1), Hex(0xC9D2DC));
    // Dots in the tile's last 20 x 20 square short of 8 pixels from each edge.
    const double right = kFrameStripWidth - kFrameBorder, bottom = kFrameStatusHeight - 8;
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j <= k; ++j)
            canvas.Fill(Circle(right - 3.5 - 5 * j, bottom - 3.5 - 5 * (k - j), 1.3),
                        Hex(0x9AA6B4));
    return canvas;
}

// [left 8][right 8], 32 high: the background colour with a line towards the
// client area.
Canvas FrameBorder() {
    Canvas canvas(2 * kFrameBorder, 32, kFrameBackground);
    canvas.Fill(Rect(kFrameBorder - 1, 0, kFrameBorder, 32), kFrameLine);
    canvas.Fill(Rect(kFrameBorder, 0, kFrameBorder + 1, 32), kFrameLine);
    return canvas;
}

Shape FrameGlyph(const std::string& stem) {
    if (stem == "min")
        return Rect(7, 14, 16, 15.6);
    if (stem == "max")
        return Minus(Rect(6.5, 6.5, 16.5, 16.5), Rect(8, 8.5, 15, 15));
    if (stem == "restore") {
        const Shape front = Minus(Rect(6, 9, 14, 17), Rect(7.5, 10.5, 12.5, 15.5));
        const Shape back =
            Minus(Minus(Rect(9, 6, 17, 14), Rect(10.5, 7.5, 15.5, 12.5)), Rect(6, 9, 14, 17));
        return Union({front, back});
    }
    return Cross(7, 16, 1.7);
}

// 23 x 23: a white glyph; hovered, on a pale plate (a red one for close).
Canvas FrameButton(const std::string& stem, bool hover) {
    Canvas canvas(23, 23);
    if (hover)
        canvas.Fill(RoundRect(0, 0, 23, 23, 4),
                    stem == "close" ? Hex(0xE5484D) : Hex(0xFFFFFF, 0.22f));
    canvas.Fill(FrameGlyph(stem), Hex(0xFFFFFF));
    return canvas;
}

std::string FrameSkinIni() {
    return "; The frame dialog's look. Sizes are in pixels.\r\n"
           "[Frame]\r\n"
           "BKColR=243\r\n"
           "BKColG=245\r\n"
           "BKColB=248\r\n"
           "HasMaxButton=1\r\n"
           "HasMinButton=1\r\n"
           "Resizable=1\r\n"
           "CircleAngle=6\r\n"
           "TitleHeight=50\r\n"
           "StatusHeight=35\r\n"
           "BorderWidth=8\r\n"
           "TitleLeftAndRightWidth=32\r\n"
           "TitleCenterWidth=128\r\n";
}

SkinShellFile Picture(std::string name, SkinShellFile::Kind kind, Canvas picture) {
    SkinShellFile file{std::move(name), kind, {}, {}};
    file.pictures.push_back(std::move(picture));
    return file;
}

} // namespace

std::vector<SkinShellFile> SkinShellSkin() {
    using Kind = SkinShellFile::Kind;
    std::vector<SkinShellFile> files;
    files.push_back(Picture("frame.bmp", Kind::Bitmap, SpriteSheet()));
    SkinShellFile icon{"mainframe.ico", Kind::Icon, {}, {}};
    icon.pictures.push_back(WindowEmblem(32, kSpriteFrame));
    icon.pictures.push_back(WindowEmblem(16, kSpriteFrame));
    files.push_back(std::move(icon));

    files.push_back(Picture("DialogSkin/Title.bmp", Kind::Bitmap, SlateTitle()));
    files.push_back(Picture("DialogSkin/Status.bmp", Kind::Bitmap, SlateStatus()));
    files.push_back(Picture("DialogSkin/Border.bmp", Kind::Bitmap, SlateBorder()));
    files.push_back(Picture("DialogSkin/close_normal.png", Kind::Png, SlateClose(Face::Normal)));
    files.push_back(Picture("DialogSkin/close_hover.png", Kind::Png, SlateClose(Face::Hover)));
    files.push_back(Picture("DialogSkin/close_pressed.png", Kind::Png, SlateClose(Face::Pressed)));

    files.push_back(Picture("Title.bmp", Kind::Bitmap, FrameTitle()));
    files.push_back(Picture("Status.bmp", Kind::Bitmap, FrameStatus()));
    files.push_back(Picture("Border.bmp", Kind::Bitmap, FrameBorder()));
    files.push_back(Picture("Icon.png", Kind::Png, WindowEmblem(32, Hex(0x1E88E5))));
    for (const std::string stem : {"min", "max", "restore", "close"}) {
        files.push_back(Picture(stem + "_normal.png", Kind::Png, FrameButton(stem, false)));
        files.push_back(Picture(stem + "_hover.png", Kind::Png, FrameButton(stem, true)));
    }
    files.push_back(SkinShellFile{"skin.ini", Kind::Text, {}, FrameSkinIni()});
    return files;
}

std::string EncodeSkinShellFile(const SkinShellFile& file) {
    switch (file.kind) {
    case SkinShellFile::Kind::Bitmap: {
        const Canvas& picture = file.pictures.front();
        return EncodeBmp(picture.Width(), picture.Height(), picture.Rgba());
    }
    case SkinShellFile::Kind::Png: {
        const Canvas& picture = file.pictures.front();
        return EncodePng(picture.Width(), picture.Height(), picture.Rgba());
    }
    case SkinShellFile::Kind::Icon: {
        std::vector<IconImage> images;
        for (const Canvas& picture : file.pictures)
            images.push_back({picture.Width(), picture.Height(), picture.Rgba()});
        return EncodeIco(images);
    }
    case SkinShellFile::Kind::Text:
        return file.text;
    }
    return {};
}

bool WriteSkinShellSkin(const std::string& resFolder, std::string& error) {
    for (const SkinShellFile& file : SkinShellSkin()) {
        if (!WriteSkinFile(resFolder, file.name, EncodeSkinShellFile(file), error))
            return false;
    }
    return true;
}
