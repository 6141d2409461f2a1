#include "CDialogLook.h"

#include <QPalette>
#include <QWidget>

namespace DialogLook {

void Apply(QWidget* pDialog) {
    QPalette o = pDialog->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool bOff = g == QPalette::Disabled;
        o.setColor(g, QPalette::Window, kWindow);
        o.setColor(g, QPalette::WindowText, bOff ? kDisabledText : kText);
        o.setColor(g, QPalette::Base, kBase);
        o.setColor(g, QPalette::AlternateBase, kWindow);
        o.setColor(g, QPalette::Text, bOff ? kDisabledText : kText);
        o.setColor(g, QPalette::PlaceholderText, kDisabledText);
        o.setColor(g, QPalette::Button, kButton);
        o.setColor(g, QPalette::ButtonText, bOff ? kDisabledText : kText);
        o.setColor(g, QPalette::BrightText, kHighlight);
        o.setColor(g, QPalette::Highlight, kHighlight);
        o.setColor(g, QPalette::HighlightedText, kHighlightText);
        o.setColor(g, QPalette::ToolTipBase, kBase);
        o.setColor(g, QPalette::ToolTipText, kText);
        o.setColor(g, QPalette::Link, kHighlight);
        o.setColor(g, QPalette::Light, kButton.lighter(140));
        o.setColor(g, QPalette::Midlight, kButton.lighter(115));
        o.setColor(g, QPalette::Mid, kButton.darker(130));
        o.setColor(g, QPalette::Dark, kBase);
        o.setColor(g, QPalette::Shadow, Qt::black);
    }
    pDialog->setPalette(o);
    pDialog->setAutoFillBackground(true);
    pDialog->setProperty("corvelLook", true);
}

}  // namespace DialogLook
