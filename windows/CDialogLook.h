#pragma once
// The one look of the calculator's dialogs (message windows, viewers, the
// file dialog, the editor, the about box): the panel's dark body, light
// text, gold for the selection and the default button.
#include <QColor>
#include <QString>
#include <string_view>

#include "CPanelColours.h"

class QRect;
class QWidget;

namespace DialogLook {

inline const QColor kWindow = PanelColours::kBodyKeys;   // the body around the keys
inline const QColor kBase{0x1c, 0x1c, 0x1f};
inline const QColor kText{0xec, 0xec, 0xf0};
inline const QColor kButton{0x44, 0x44, 0x4a};
inline const QColor kHighlight = PanelColours::kGold;    // the f legends' gold
inline const QColor kHighlightText{0x1a, 0x12, 0x02};
inline const QColor kDisabledText{0x9a, 0x9a, 0xa2};

// Gives a dialog (and everything in it) the look. Marks it with the
// property "corvelLook" so that tests can tell.
void Apply(QWidget* pDialog);

// Puts a window that is not yet shown beside pPanel when the screen has room
// for both, so the calculator stays in view; otherwise against the screen's
// edge on the roomier side, or (no room at all) where it would be anyway.
void PlaceBeside(const QWidget* pPanel, QWidget* pWindow);

// Centres a message box on rcPanel (screen coordinates) now and again once
// it is shown and has its final size, kept inside the screen.
void CentreOn(const QRect& rcPanel, QWidget* pBox);
// A message's text (UTF-8) as a message window shows it, which must stay
// readable whatever a file brought into it: each line cut at kMaxChars
// characters with "…"; after the heading (the lines up to an empty one
// among the first three) at most kMaxLines lines, then "… and N more".
inline constexpr int kMaxChars = 200;
inline constexpr int kMaxLines = 20;
QString FitMessage(std::string_view sText);

}  // namespace DialogLook
