#pragma once
// The LED display: a row of character cells behind dark red glass. A number
// is drawn in seven-segment digits, the decimal point lit between two digits
// (it takes no cell of its own), its sign in a fixed column at the left and
// the exponent in a field of its own at the right with its own sign column.
// Any other text ("Error", a program line, the show-stack "X:1.50") is drawn
// in the same cells as a 5 x 8 dot matrix, so letters keep their case.
// Unlit segments and dots show faintly, as on the real part.
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QPainter;

namespace LedDisplay {

// Digit cells after the mantissa's sign column, and exponent digits.
constexpr int kMantissaCells = 15;
constexpr int kExponentDigits = 2;
// Cells a text may use: all of them when there is no exponent to show.
constexpr int kTextCells = 20;

// One digit cell of a number: a digit, '-' or ' ' (nothing lit), and
// whether the point after it is lit.
struct CCell {
    char c = ' ';
    bool bPoint = false;
};

struct CNumber {
    bool bMinus = false;          // the sign column's middle segment
    std::vector<CCell> vCells;    // digit cells, left to right
};

// Reads a mantissa as the calculator shows a number: an optional minus,
// digits, at most one point. A blank right after a digit is the point's
// place while it blinks dark ("1 50" is "1.50" with the point unlit).
// False for anything else (letters, a colon, a second point).
bool ParseNumber(const QString& s, CNumber& o);

// The segments lit for a character: bit 0 a (top), 1 b, 2 c, 3 d (bottom),
// 4 e, 5 f, 6 g (middle); 0 for a blank or a character without a form.
uint8_t Segments(char c);
// The dots of a printable ASCII character: 8 rows top to bottom (the last
// for descenders), bit 4 the leftmost of 5 columns; a box for others.
const uint8_t* Glyph(char16_t c);

// How bright the lit parts are.
enum class enmBrightness { Full, Dimmed };

// Draws the cells inside the glass rectangle. With bText the mantissa is
// drawn in dots (a program line, "Error" ...); otherwise as a number when
// it reads as one. A mantissa longer than its cells is cut at the last
// cell, before the exponent; without an exponent a number may use the
// exponent's cells too.
void Paint(QPainter& p, const QRectF& rcGlass, const QString& sMantissa, const QString& sExponent, bool bText,
           enmBrightness eBrightness);

// Small words (annunciators) in lit dots only, d apart, from the top left
// point on, a blank cell between words; returns the x after the last.
qreal PaintSmallWords(QPainter& p, const QPointF& oAt, qreal d, const QStringList& vWords, enmBrightness eBrightness);

}  // namespace LedDisplay
