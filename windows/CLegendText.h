#pragma once
// The legends printed on and around the keys. A superscript (the x of eˣ,
// the 2 of x², the -1 of SIN⁻¹) is drawn as a raised, smaller run of the
// legend's own face rather than as a Unicode superscript glyph, which most
// fonts draw too small to read at the panel's size.
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace LegendText {

// The sizes the panel prints in, in logical pixels (the panel's 480 x 800
// units): the f legend above a key and the h legend below it, the g legend
// on the key's front face. A legend that does not fit its place is made
// smaller, but never below kMinPixels.
constexpr int kPixelsFH = 12;
constexpr int kPixelsG = 11;
constexpr int kMinPixels = 10;
// A superscript's size relative to the legend, and how far it is raised
// (in units of the legend's pixel size).
constexpr qreal kSuperScale = 0.8;
constexpr qreal kSuperRaise = 0.4;

// A run of the legend: plain or superscript.
struct CRun {
    QString sText;
    bool bSuper = false;
};
// The legend split into runs, superscript characters turned into plain ones.
std::vector<CRun> Runs(const QString& sLegend);

// The legends' face: a condensed bold sans with arrows, Greek and math signs.
QFont Font(int nPixels);
// The panel's plain face (key tops, switch labels, the brand).
QFont Sans(int nPixels, bool bBold);
// The width of the legend drawn at nPixels.
qreal Width(const QString& sLegend, int nPixels);
// The largest size from nPixels down to kMinPixels at which the legend fits fWidth.
int Fitted(const QString& sLegend, qreal fWidth, int nPixels);
// Draws the legend centred across rc, at the top, middle or bottom of rc.
void Draw(QPainter& p, const QRectF& rc, const QString& sLegend, int nPixels, Qt::Alignment eVertical);

}  // namespace LegendText
