#pragma once
// Every colour the front panel is painted with, in one place, and the pairs
// of text and background they form, so their contrast can be measured.
#include <QColor>
#include <vector>

#include "../panel/CKeyTable.h"

namespace PanelColours {

// The body: a gradient from the top edge down. Everything below the upper
// plate (keys and their legends) lies between kBodyKeys and kBodyBottom.
inline const QColor kBodyTop{0x3a, 0x3a, 0x3e};
inline const QColor kBodyKeys{0x2c, 0x2c, 0x30};
inline const QColor kBodyBottom{0x1e, 0x1e, 0x21};
// The upper plate around the display, the switches and the card slot.
inline const QColor kPlateTop{0x1a, 0x1a, 0x1c};
inline const QColor kPlateBottom{0x10, 0x10, 0x11};

// Legends printed on the body: f (gold) above a key, h (grey) below.
inline const QColor kGold{0xf2, 0xb3, 0x2e};
inline const QColor kGrey{0xb8, 0xb8, 0xc0};
// Writing on the plate: switch labels, the line under the display.
inline const QColor kPlateInk{0xe8, 0xe8, 0xe8};
inline const QColor kPlateInkSoft{0xc8, 0xc8, 0xd0};
inline const QColor kNoteInk{0xff, 0xd8, 0x80};    // a note (paste refused ...)
inline const QColor kCauseInk{0xff, 0x9a, 0x80};   // why "Error" is shown
// The brand line and the picture buttons along the bottom edge.
inline const QColor kBrand{0xd8, 0xd8, 0xde};
inline const QColor kBrandSmall{0xa8, 0xa8, 0xb0};
inline const QColor kButtonLight{0x5a, 0x5a, 0x60};
inline const QColor kButtonDark{0x26, 0x26, 0x2a};
inline const QColor kButtonInk{0xe8, 0xe8, 0xee};

// The LED display.
inline const QColor kLed{0xff, 0x3a, 0x24};
inline const QColor kLedDim{0x8c, 0x22, 0x16};     // lit while a program runs
inline const QColor kLedOff{0x3c, 0x0a, 0x07};     // unlit segments and dots
inline const QColor kGlassTop{0x32, 0x06, 0x06};
inline const QColor kGlassMiddle{0x1e, 0x03, 0x03};
inline const QColor kGlassBottom{0x2a, 0x05, 0x05};
// The "running" lamp.
inline const QColor kLampOn{0x5c, 0xff, 0x6a};
inline const QColor kLampOff{0x1c, 0x30, 0x1e};

// One key colour: the top face (a gradient), the front face with the g
// legend, the face text and the g legend's ink.
struct CKeyColours {
    QColor oTop, oBottom, oFront, oFace, oLegendG;
};
CKeyColours ForKey(corvel::enmKeyLook eLook);

// A text colour on the background it is printed on; a text on a gradient
// appears once for each end of it.
struct CInkPair {
    const char* sWhat;
    QColor oInk, oBackground;
};
std::vector<CInkPair> InkPairs();

// WCAG 2 relative luminance and the contrast ratio of two colours (1 to 21).
double RelativeLuminance(const QColor& c);
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace PanelColours
