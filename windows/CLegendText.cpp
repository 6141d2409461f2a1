#include "CLegendText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace LegendText {

namespace {

// The plain character a superscript character stands for, or a null QChar.
QChar Plain(QChar c) {
    switch (c.unicode()) {
        case 0x02E3: return QChar('x');
        case 0x00B9: return QChar('1');
        case 0x00B2: return QChar('2');
        case 0x00B3: return QChar('3');
        case 0x2070: return QChar('0');
        case 0x207A: return QChar('+');
        case 0x207B: return QChar(0x2212);   // minus sign
        default: break;
    }
    if (c.unicode() >= 0x2074 && c.unicode() <= 0x2079) return QChar('4' + (c.unicode() - 0x2074));
    return QChar();
}

int SuperPixels(int nPixels) { return std::max(1, static_cast<int>(std::lround(nPixels * kSuperScale))); }

}  // namespace

std::vector<CRun> Runs(const QString& sLegend) {
    std::vector<CRun> v;
    for (const QChar c : sLegend) {
        const QChar cPlain = Plain(c);
        const bool bSuper = !cPlain.isNull();
        if (v.empty() || v.back().bSuper != bSuper) v.push_back({QString(), bSuper});
        v.back().sText += bSuper ? cPlain : c;
    }
    return v;
}

QFont Font(int nPixels) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(nPixels);
    f.setBold(true);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

QFont Sans(int nPixels, bool bBold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(nPixels);
    f.setBold(bBold);
    return f;
}

qreal Width(const QString& sLegend, int nPixels) {
    const QFontMetricsF oBase(Font(nPixels)), oSuper(Font(SuperPixels(nPixels)));
    qreal w = 0;
    for (const CRun& r : Runs(sLegend)) w += (r.bSuper ? oSuper : oBase).horizontalAdvance(r.sText);
    return w;
}

int Fitted(const QString& sLegend, qreal fWidth, int nPixels) {
    while (nPixels > kMinPixels && Width(sLegend, nPixels) > fWidth) --nPixels;
    return nPixels;
}

void Draw(QPainter& p, const QRectF& rc, const QString& sLegend, int nPixels, Qt::Alignment eVertical) {
    const QFont oBase = Font(nPixels), oSuper = Font(SuperPixels(nPixels));
    const QFontMetricsF m(oBase);
    qreal fBaseline = rc.center().y() + (m.capHeight()) / 2;
    if (eVertical & Qt::AlignTop) fBaseline = rc.top() + m.ascent();
    if (eVertical & Qt::AlignBottom) fBaseline = rc.bottom() - m.descent();
    qreal x = rc.center().x() - Width(sLegend, nPixels) / 2;
    for (const CRun& r : Runs(sLegend)) {
        p.setFont(r.bSuper ? oSuper : oBase);
        p.drawText(QPointF(x, fBaseline - (r.bSuper ? kSuperRaise * nPixels : 0.0)), r.sText);
        x += QFontMetricsF(p.font()).horizontalAdvance(r.sText);
    }
}

}  // namespace LegendText
