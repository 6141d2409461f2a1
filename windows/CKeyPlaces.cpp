#include "CKeyPlaces.h"

#include <QFontMetricsF>

#include "CLegendText.h"
#include "CPanelWindow.h"

namespace KeyPlaces {

namespace {
// Upper block: five columns; lower block: four wider columns. Each row is a
// band for the f legend, the key, and a band for the h legend.
constexpr qreal kMarginX = 24.0;
constexpr qreal kUpperTop = 180.0, kUpperPitch = 64.0, kUpperKeyW = 62.0, kUpperKeyH = 34.0, kUpperFront = 13.0;
constexpr qreal kLowerTop = 438.0, kLowerPitch = 72.0, kLowerKeyW = 78.0, kLowerKeyH = 42.0, kLowerFront = 15.0;
constexpr qreal kLegendH = 14.0;
}  // namespace

CPlaces For(const corvel::CKeyRow& k) {
    const bool bUpper = k.nSection == 0;
    const int nCols = bUpper ? 5 : 4;
    const qreal fPitchX = (CPanelWindow::kWidth - 2 * kMarginX) / nCols;
    const qreal fKeyW = bUpper ? kUpperKeyW : kLowerKeyW;
    const qreal fKeyH = bUpper ? kUpperKeyH : kLowerKeyH;
    const qreal fFront = bUpper ? kUpperFront : kLowerFront;
    const qreal fTop = (bUpper ? kUpperTop : kLowerTop) + k.nRow * (bUpper ? kUpperPitch : kLowerPitch) + kLegendH;
    const qreal fLeft = kMarginX + k.nCol * fPitchX + (fPitchX - fKeyW) / 2;
    const qreal fWidth = fKeyW + (k.nSpan - 1) * fPitchX;
    CPlaces o;
    o.rcKey = QRectF(fLeft, fTop, fWidth, fKeyH);
    o.rcAbove = QRectF(fLeft - 10, fTop - kLegendH, fWidth + 20, kLegendH - 1);
    o.rcBelow = QRectF(fLeft - 10, o.rcKey.bottom() + 1, fWidth + 20, kLegendH - 1);
    o.rcTop = o.rcKey.adjusted(2, 1.5, -2, -fFront);
    o.rcFront = QRectF(fLeft + 2, o.rcKey.bottom() - fFront, fWidth - 4, fFront);
    return o;
}

CSizes SizesFor(const corvel::CKeyRow& k) {
    using corvel::enmKeyLook;
    const CPlaces o = For(k);
    const QString sFace = QString::fromUtf8(k.sFace), sF = QString::fromUtf8(k.sF), sG = QString::fromUtf8(k.sG),
                  sH = QString::fromUtf8(k.sH);
    CSizes n{};
    // Digits large, the operator signs larger, the other faces a little smaller.
    int nFace = k.eLook == enmKeyLook::Light ? 20 : 15;
    if (k.eLook == enmKeyLook::Gold || k.eLook == enmKeyLook::Blue || k.eLook == enmKeyLook::Black) nFace = 18;
    if (k.eLook != enmKeyLook::Light && sFace.size() == 1) nFace = 21;
    while (nFace > LegendText::kMinPixels &&
           QFontMetricsF(LegendText::Sans(nFace, true)).horizontalAdvance(sFace) > o.rcTop.width() - 6)
        --nFace;
    n.nFace = nFace;
    if (!sF.isEmpty()) n.nF = LegendText::Fitted(sF, o.rcAbove.width(), LegendText::kPixelsFH);
    if (!sH.isEmpty()) n.nH = LegendText::Fitted(sH, o.rcBelow.width(), LegendText::kPixelsFH);
    if (!sG.isEmpty()) n.nG = LegendText::Fitted(sG, o.rcFront.width() - 4, LegendText::kPixelsG);
    return n;
}

}  // namespace KeyPlaces
