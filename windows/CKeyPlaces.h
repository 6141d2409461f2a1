#pragma once
// Where each key and its legends lie on the panel (in the panel's logical
// units) and the sizes its texts are printed in. Painting, hit testing and
// the window's minimum size all read it from here.
#include <QRectF>

#include "../panel/CKeyTable.h"

namespace KeyPlaces {

struct CPlaces {
    QRectF rcKey;     // the whole key, the clickable area
    QRectF rcAbove;   // the f legend's band on the body
    QRectF rcBelow;   // the h legend's band on the body
    QRectF rcTop;     // the top face with the key's own text
    QRectF rcFront;   // the sloped front face with the g legend
};
CPlaces For(const corvel::CKeyRow& oKey);

// The pixel sizes of the key's texts as printed, each made to fit its place.
struct CSizes {
    int nFace, nF, nG, nH;   // 0 for a text the key does not have
};
CSizes SizesFor(const corvel::CKeyRow& oKey);

}  // namespace KeyPlaces
