#include "default_skin.h"

#include "png_encoder.h"
#include "skin_files.h"
#include "symbols.h"

#include <algorithm>

namespace {

// The palette: dark, flat surfaces with one blue accent.
const Colour kGlyph = Hex(0xD5DBE3);
const Colour kGlyphBright = Hex(0xFFFFFF);
const Colour kHoverPlate = Hex(0xFFFFFF, 0.16f);
const Colour kAccent = Hex(0x1E88E5);
const Colour kAccentDark = Hex(0x1565C0);
const Colour kRoundFace = Hex(0x38414D);
const Colour kRoundRim = Hex(0x56616F);
const Colour kStripTop = Hex(0x3B4350);
const Colour kStripFill = Hex(0x272C34);
const Colour kStripBottom = Hex(0x1C2026);
const Colour kSliderBack = Hex(0x1B1F25);
const Colour kSliderTrack = Hex(0x4A5260);
const Colour kLogoBack = Hex(0x14171C);

enum class Face { Normal, Hover, Pressed };
enum class Style { Flat, Round };

struct ButtonArt {
    const char* stem;
    int width;
    int height;
    Style style;
    Shape symbol;
};

// Where a symbol's 24-unit box sits on a button: centred, glyphFraction of
// the button's shorter side, pushed down a pixel while pressed.
Placement SymbolPlacement(int width, int height, double glyphFraction, Face face) {
    const double size = std::min(width, height) * glyphFraction;
    const double push = face == Face::Pressed ? 1 : 0;
    return {(width - size) / 2, (height - size) / 2 + push, size / kSymbolBox};
}

Canvas DrawButton(const ButtonArt& art, Face face) {
    Canvas canvas(art.width, art.height);
    const double w = art.width, h = art.height;
    if (art.style == Style::Round) {
        const double r = std::min(w, h) / 2;
        const Colour fill = face == Face::Normal  ? kRoundFace
                            : face == Face::Hover ? kAccent
                                                  : kAccentDark;
        canvas.Fill(Circle(w / 2, h / 2, r - 0.5), face == Face::Normal ? kRoundRim : fill);
        canvas.Fill(Circle(w / 2, h / 2, r - 2), fill);
        canvas.Fill(art.symbol, face == Face::Pressed ? kGlyph : kGlyphBright,
                    SymbolPlacement(art.width, art.height, 0.5, face));
        return canvas;
    }
    if (face != Face::Normal) {
        canvas.Fill(RoundRect(0, 0, w, h, std::min(w, h) / 5),
                    face == Face::Hover ? kHoverPlate : kAccent);
    }
    canvas.Fill(art.symbol, face == Face::Normal ? kGlyph : kGlyphBright,
                SymbolPlacement(art.width, art.height, 0.8, face));
    return canvas;
}

std::vector<ButtonArt> Buttons() {
    return {
        {"play", 46, 46, Style::Round, PlaySymbol()},
        {"pause", 46, 46, Style::Round, PauseSymbol()},
        {"stop", 30, 30, Style::Flat, StopSymbol()},
        {"time", 40, 24, Style::Flat, TimeSymbol()},
        {"object", 40, 24, Style::Flat, ObjectSymbol()},
        {"captuepic", 40, 24, Style::Flat, CaptureSymbol()},
        {"download", 24, 24, Style::Flat, DownloadSymbol()},
        {"cutvideo", 20, 20, Style::Flat, CutSymbol()},
        {"full_screen", 28, 28, Style::Flat, FullScreenSymbol()},
        {"snapshot1", 32, 26, Style::Flat, ColumnsSymbol(1)},
        {"snapshot2", 32, 26, Style::Flat, ColumnsSymbol(2)},
        {"snapshot3", 32, 26, Style::Flat, ColumnsSymbol(3)},
        {"snapshot4", 32, 26, Style::Flat, ColumnsSymbol(4)},
        {"bt_serchbyimg", 36, 26, Style::Flat, SearchByPictureSymbol()},
    };
}

// The panels' bottom strip: a highlight line, then a gentle darkening. Its
// pixel (1, 1) is the colour the playback panel fills itself with.
Canvas DialogBackground() {
    Canvas canvas(8, 70, kStripBottom);
    canvas.FillGradient(Rect(0, 1, 8, 70), kStripFill, kStripBottom, 1.5, 69.5);
    canvas.Fill(Rect(0, 0, 8, 1), kStripTop);
    return canvas;
}

// The progress slider is 17 pixels high: a dark band with a 3-pixel track,
// grey ahead of the thumb and blue behind it.
Canvas SliderChannel(Colour track) {
    Canvas canvas(8, 17, kSliderBack);
    canvas.Fill(Rect(0, 7, 8, 10), track);
    return canvas;
}

Canvas SliderThumb() {
    Canvas canvas(15, 15);
    canvas.Fill(Circle(7.5, 7.5, 6.5), kGlyphBright);
    canvas.Fill(Circle(7.5, 7.5, 2.5), kAccent);
    return canvas;
}

// The start panel's logo, opaque, on its own background colour (which its
// corner pixel hands to the whole panel): a play emblem beside a few lines
// of a time line.
Canvas Logo() {
    Canvas canvas(360, 150, kLogoBack);
    canvas.FillGradient(RoundRect(24, 27, 120, 123, 20), Hex(0x2196F3), kAccentDark, 27, 123);
    canvas.Fill(Polygon({{60, 51}, {60, 99}, {98, 75}}), kGlyphBright);
    canvas.Fill(RoundRect(144, 44, 334, 58, 7), Hex(0xE8ECF1));
    canvas.Fill(RoundRect(144, 70, 294, 80, 5), Hex(0x8A94A3));
    canvas.Fill(RoundRect(144, 90, 254, 98, 4), Hex(0x5A6472));
    canvas.Fill(Rect(144, 113, 334, 115), Hex(0x3B4350));
    for (double x : {164.0, 206.0, 262.0, 318.0})
        canvas.Fill(RoundRect(x - 3, 108, x + 3, 120, 2), kAccent);
    return canvas;
}

} // namespace

std::vector<std::string> ButtonStems() {
    std::vector<std::string> stems;
    for (const ButtonArt& art : Buttons())
        stems.push_back(art.stem);
    return stems;
}

std::vector<SkinFile> DefaultSkin() {
    std::vector<SkinFile> files;
    files.push_back({"center_logo.png", Logo()});
    files.push_back({"dlg_bk.png", DialogBackground()});
    files.push_back({"progress_slider_bk.png", SliderChannel(kSliderTrack)});
    files.push_back({"progress_slider_over_bk.png", SliderChannel(kAccent)});
    files.push_back({"progress_slider_humb.png", SliderThumb()});
    for (const ButtonArt& art : Buttons()) {
        const std::string stem = art.stem;
        files.push_back({stem + "_normal.png", DrawButton(art, Face::Normal)});
        files.push_back({stem + "_hover.png", DrawButton(art, Face::Hover)});
        files.push_back({stem + "_pressed.png", DrawButton(art, Face::Pressed)});
    }
    return files;
}

bool WriteDefaultSkin(const std::string& folder, std::string& error) {
    for (const SkinFile& file : DefaultSkin()) {
        const std::string png =
            EncodePng(file.picture.Width(), file.picture.Height(), file.picture.Rgba());
        if (!WriteSkinFile(folder, file.name, png, error))
            return false;
    }
    return true;
}
