#include "CPanelColours.h"

#include <algorithm>
#include <cmath>

namespace PanelColours {

using corvel::enmKeyLook;

CKeyColours ForKey(enmKeyLook eLook) {
    switch (eLook) {
        case enmKeyLook::Light:
            return {QColor(0xf4, 0xef, 0xe2), QColor(0xd9, 0xd1, 0xbd), QColor(0xd8, 0xcf, 0xb8),
                    QColor(0x1a, 0x1a, 0x1a), QColor(0x10, 0x3f, 0x8f)};
        case enmKeyLook::Gold:
            return {QColor(0xf5, 0xbd, 0x3c), QColor(0xcf, 0x92, 0x16), QColor(0xa8, 0x74, 0x0c),
                    QColor(0x1a, 0x12, 0x02), QColor(0x10, 0x3f, 0x8f)};
        case enmKeyLook::Blue:
            return {QColor(0x2a, 0x6c, 0xc4), QColor(0x1f, 0x5a, 0xa8), QColor(0x17, 0x44, 0x80),
                    QColor(0xff, 0xff, 0xff), QColor(0x9f, 0xc6, 0xff)};
        case enmKeyLook::Black:
            return {QColor(0x2a, 0x2a, 0x2c), QColor(0x0e, 0x0e, 0x0f), QColor(0x05, 0x05, 0x05),
                    QColor(0xf0, 0xf0, 0xf0), QColor(0x9f, 0xc6, 0xff)};
        case enmKeyLook::Dark:
            break;
    }
    return {QColor(0x55, 0x55, 0x5a), QColor(0x35, 0x35, 0x39), QColor(0x26, 0x26, 0x29),
            QColor(0xf4, 0xf4, 0xf4), QColor(0x9f, 0xc6, 0xff)};
}

std::vector<CInkPair> InkPairs() {
    std::vector<CInkPair> v;
    for (const QColor& oBody : {kBodyKeys, kBodyBottom}) {
        v.push_back({"f legend on the body", kGold, oBody});
        v.push_back({"h legend on the body", kGrey, oBody});
        v.push_back({"brand line", kBrandSmall, oBody});
    }
    for (const QColor& oPlate : {kPlateTop, kPlateBottom}) {
        v.push_back({"switch labels", kPlateInk, oPlate});
        v.push_back({"program label, lamp label", kPlateInkSoft, oPlate});
        v.push_back({"note line", kNoteInk, oPlate});
        v.push_back({"error cause line", kCauseInk, oPlate});
    }
    v.push_back({"brand", kBrand, kBodyBottom});
    for (const QColor& oButton : {kButtonLight, kButtonDark}) v.push_back({"picture buttons", kButtonInk, oButton});
    // Each key look that the key table uses, with its g legend where a key of it has one.
    int nKeys = 0;
    const corvel::CKeyRow* pRows = corvel::KeyRows(nKeys);
    bool aFace[8] = {}, aLegend[8] = {};
    for (int i = 0; i < nKeys; ++i) {
        const auto n = static_cast<size_t>(pRows[i].eLook);
        const CKeyColours c = ForKey(pRows[i].eLook);
        if (!aFace[n]) {
            aFace[n] = true;
            v.push_back({"key face", c.oFace, c.oTop});
            v.push_back({"key face", c.oFace, c.oBottom});
        }
        if (!aLegend[n] && pRows[i].sG[0] != '\0') {
            aLegend[n] = true;
            v.push_back({"g legend on the key front", c.oLegendG, c.oFront});
        }
    }
    return v;
}

double RelativeLuminance(const QColor& c) {
    auto fnLinear = [](int n) {
        const double v = n / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * fnLinear(c.red()) + 0.7152 * fnLinear(c.green()) + 0.0722 * fnLinear(c.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace PanelColours
