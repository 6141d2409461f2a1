#pragma once
// The keyboard of the front panel: each key's name, its face, its f, g and h
// legends and its place. Painting and hit-testing both use this table.
#include "../panel/frmMain.h"

enum class enmKeyLook { Dark, Light, Gold, Blue, Black };

struct CKeyDef {
    const char* sName;   // stable name for lookups ("7", "ENTER", "SUM+", ...)
    const char* sFace;   // printed on the key (UTF-8)
    const char* sF;      // gold legend above the key
    const char* sG;      // blue legend on the key's front face
    const char* sH;      // grey legend below the key
    enmKeyLook eLook;
    int nSection;        // 0: upper block of five columns; 1: lower block of four
    int nRow, nCol, nSpan;
    void (frmMain::*fnClick)();
};

// All 35 keys, in reading order.
extern const CKeyDef kPanelKeys[];
extern const int kPanelKeyCount;
