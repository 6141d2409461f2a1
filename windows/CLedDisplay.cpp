#include "CLedDisplay.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>

#include "CPanelColours.h"

namespace LedDisplay {

namespace {

// The 5 x 8 dots of ' ' to '~'.
const uint8_t kFont[95][8] = {
#include "CLedFont.inc"
};
const uint8_t kUnknown[8] = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F, 0x00};

// The cells across the glass: the mantissa's sign column and digits, a gap,
// the exponent's sign column and digits.
constexpr qreal kExponentGap = 0.8;
constexpr qreal kCellsAcross = 1 + kMantissaCells + kExponentGap + 1 + kExponentDigits;
constexpr qreal kSlant = 0.09;   // the digits lean right a little, as LED digits do

struct CGrid {
    qreal fPitch = 0, fW = 0, fH = 0, fLeft = 0, fTop = 0;
    qreal CellX(qreal fIndex) const { return fLeft + fIndex * fPitch; }
    qreal ExponentX(int n) const { return CellX(1 + kMantissaCells + kExponentGap + n); }   // 0: its sign
    // Local cell coordinates (0..fW across, 0..fH down) to the glass, leaning.
    QTransform Cell(qreal x) const { return QTransform(1, 0, -kSlant, 1, x + kSlant * fH, fTop); }
};

CGrid GridFor(const QRectF& rc) {
    CGrid g;
    g.fPitch = rc.width() / (kCellsAcross + 1.0);
    g.fW = g.fPitch * 0.68;
    g.fH = std::min(g.fW * 2.05, rc.height() * 0.6);
    g.fLeft = rc.left() + g.fPitch * 0.5;
    g.fTop = rc.center().y() - g.fH / 2 - rc.height() * 0.03;
    return g;
}

struct CInks {
    QColor oLit, oGlow, oOff;
    bool bGlow;
};

CInks InksFor(enmBrightness e) {
    const QColor oLit = e == enmBrightness::Full ? PanelColours::kLed : PanelColours::kLedDim;
    QColor oGlow = oLit;
    oGlow.setAlpha(70);
    return {oLit, oGlow, PanelColours::kLedOff, e == enmBrightness::Full};
}

// The seven segments of a cell fW x fH, each a long hexagon.
std::vector<QPainterPath> SegmentPaths(qreal w, qreal h) {
    const qreal t = w * 0.23, gap = t * 0.12;
    auto fnH = [&](qreal cy) {
        const qreal x1 = t / 2 + gap, x2 = w - t / 2 - gap;
        QPainterPath o;
        o.moveTo(x1, cy);
        o.lineTo(x1 + t / 2, cy - t / 2);
        o.lineTo(x2 - t / 2, cy - t / 2);
        o.lineTo(x2, cy);
        o.lineTo(x2 - t / 2, cy + t / 2);
        o.lineTo(x1 + t / 2, cy + t / 2);
        o.closeSubpath();
        return o;
    };
    auto fnV = [&](qreal cx, qreal y1, qreal y2) {
        y1 += gap;
        y2 -= gap;
        QPainterPath o;
        o.moveTo(cx, y1);
        o.lineTo(cx + t / 2, y1 + t / 2);
        o.lineTo(cx + t / 2, y2 - t / 2);
        o.lineTo(cx, y2);
        o.lineTo(cx - t / 2, y2 - t / 2);
        o.lineTo(cx - t / 2, y1 + t / 2);
        o.closeSubpath();
        return o;
    };
    const qreal l = t / 2, r = w - t / 2, top = t / 2, mid = h / 2, bottom = h - t / 2;
    return {fnH(top),  fnV(r, top, mid), fnV(r, mid, bottom), fnH(bottom), fnV(l, mid, bottom), fnV(l, top, mid),
            fnH(mid)};
}

void FillLit(QPainter& p, const QPainterPath& o, const CInks& k, qreal fGlow) {
    if (k.bGlow) p.strokePath(o, QPen(k.oGlow, fGlow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(o, k.oLit);
}

// One seven-segment cell with its point, at cell x.
void PaintDigit(QPainter& p, const CGrid& g, qreal x, uint8_t nLit, bool bPoint, bool bPointPlace, const CInks& k) {
    p.save();
    p.setTransform(g.Cell(x), true);
    const std::vector<QPainterPath> vSeg = SegmentPaths(g.fW, g.fH);
    const qreal fGlow = g.fW * 0.12;
    for (size_t i = 0; i < vSeg.size(); ++i)
        if (!(nLit & (1u << i))) p.fillPath(vSeg[i], k.oOff);
    for (size_t i = 0; i < vSeg.size(); ++i)
        if (nLit & (1u << i)) FillLit(p, vSeg[i], k, fGlow);
    if (bPointPlace) {
        // The point sits in the gap after the digit, on its bottom line.
        const qreal r = g.fW * 0.11;
        QPainterPath o;
        o.addEllipse(QPointF(g.fW + (g.fPitch - g.fW) / 2, g.fH - r), r, r);
        if (bPoint)
            FillLit(p, o, k, fGlow);
        else
            p.fillPath(o, k.oOff);
    }
    p.restore();
}

// One dot-matrix cell, centred on the digit cell at x.
void PaintGlyph(QPainter& p, const CGrid& g, qreal x, char16_t c, const CInks& k) {
    const qreal d = std::min(g.fH / 7, g.fPitch / 6.2);
    const qreal r = d * 0.44;
    const uint8_t* pRows = Glyph(c);
    p.save();
    p.setTransform(g.Cell(x - (5 * d - g.fW) / 2), true);
    QPainterPath oOff, oLit;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 5; ++col) {
            // Row 6 stands on the digits' bottom line; row 7 hangs below it.
            const QPointF o(col * d + d / 2, g.fH - (6 - row) * d - d / 2);
            ((pRows[row] >> (4 - col)) & 1 ? oLit : oOff).addEllipse(o, r, r);
        }
    // Many more dots than segments stay unlit: they show more faintly.
    QColor oOffDot = k.oOff;
    oOffDot.setAlpha(150);
    p.fillPath(oOff, oOffDot);
    FillLit(p, oLit, k, d * 0.5);
    p.restore();
}

}  // namespace

bool ParseNumber(const QString& s, CNumber& o) {
    o = CNumber();
    qsizetype i = 0;
    if (i < s.size() && s[i] == '-') {
        o.bMinus = true;
        ++i;
    }
    bool bPointSeen = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            o.vCells.push_back({static_cast<char>(c.unicode()), false});
        } else if (c == '.' || (c == ' ' && !o.vCells.empty() && o.vCells.back().c != ' ')) {
            if (bPointSeen) return false;
            bPointSeen = true;
            if (c == '.') {
                if (o.vCells.empty()) o.vCells.push_back({' ', false});
                o.vCells.back().bPoint = true;
            }
        } else {
            return false;
        }
    }
    return true;
}

uint8_t Segments(char c) {
    static const uint8_t kDigits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c == '-') return 0x40;
    return 0;
}

const uint8_t* Glyph(char16_t c) { return c >= 32 && c < 127 ? kFont[c - 32] : kUnknown; }

void Paint(QPainter& p, const QRectF& rcGlass, const QString& sMantissa, const QString& sExponent, bool bText,
           enmBrightness eBrightness) {
    const CGrid g = GridFor(rcGlass);
    const CInks k = InksFor(eBrightness);
    p.save();
    p.setPen(Qt::NoPen);
    CNumber oNum;
    const bool bDots = bText || !ParseNumber(sMantissa, oNum);
    // A fixed-point number with more digits than the mantissa's cells (FIX 9
    // of a seven-digit number) runs on into the exponent's cells, which it
    // does not need: no digit of it is lost.
    const bool bLongFixed = !bDots && sExponent.trimmed().isEmpty() && oNum.vCells.size() > kMantissaCells;
    const bool bHasExponent = (!sExponent.trimmed().isEmpty() || !bDots) && !bLongFixed;
    // The exponent's digits stand right-aligned in their field; one of three
    // digits (1.5E-100) takes the last cell of the mantissa.
    QString sDigits;
    for (const QChar c : sExponent)
        if (c.isDigit() && c.unicode() < 128) sDigits += c;
    const int nExtra = std::max(0, static_cast<int>(sDigits.size()) - kExponentDigits);
    sDigits = sDigits.rightJustified(kExponentDigits, ' ');
    if (bDots) {
        // A text runs from the sign column on, into the exponent's cells
        // when there is no exponent.
        const int nCells = bHasExponent ? 1 + kMantissaCells - nExtra : kTextCells;
        for (int i = 0; i < nCells; ++i)
            PaintGlyph(p, g, g.CellX(i), i < sMantissa.size() ? sMantissa[i].unicode() : u' ', k);
    } else {
        PaintDigit(p, g, g.CellX(0), oNum.bMinus ? Segments('-') : 0, false, false, k);
        const int nCells = bLongFixed ? kTextCells - 1 : kMantissaCells - nExtra;
        for (int i = 0; i < nCells; ++i) {
            const CCell o = static_cast<size_t>(i) < oNum.vCells.size() ? oNum.vCells[static_cast<size_t>(i)] : CCell();
            PaintDigit(p, g, g.CellX(1 + i), Segments(o.c), o.bPoint, true, k);
        }
    }
    if (bHasExponent) {
        PaintDigit(p, g, g.ExponentX(-nExtra), sExponent.trimmed().startsWith('-') ? Segments('-') : 0, false, false, k);
        for (int i = 0; i < sDigits.size(); ++i)
            PaintDigit(p, g, g.ExponentX(1 + i - nExtra), Segments(static_cast<char>(sDigits[i].unicode())), false,
                       false, k);
    }
    p.restore();
}

qreal PaintSmallWords(QPainter& p, const QPointF& oAt, qreal d, const QStringList& vWords, enmBrightness eBrightness) {
    const CInks k = InksFor(eBrightness);
    QPainterPath oLit;
    qreal x = oAt.x();
    for (const QString& sWord : vWords) {
        for (const QChar c : sWord) {
            const uint8_t* pRows = Glyph(c.unicode());
            for (int row = 0; row < 8; ++row)
                for (int col = 0; col < 5; ++col)
                    if ((pRows[row] >> (4 - col)) & 1)
                        oLit.addEllipse(QPointF(x + col * d + d / 2, oAt.y() + row * d + d / 2), d * 0.45, d * 0.45);
            x += 6 * d;
        }
        x += 6 * d;
    }
    p.save();
    p.setPen(Qt::NoPen);
    FillLit(p, oLit, k, d * 0.4);
    p.restore();
    return x;
}

}  // namespace LedDisplay
