#include "CDialogLook.h"

#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <vector>

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

QString FitMessage(std::string_view s) {
    std::vector<std::string_view> vLines;
    for (size_t nPos = 0; nPos < s.size();) {
        size_t nEnd = std::min(s.find_first_of("\r\n", nPos), s.size());
        vLines.push_back(s.substr(nPos, nEnd - nPos));
        if (nEnd + 1 < s.size() && s[nEnd] == '\r' && s[nEnd + 1] == '\n') ++nEnd;
        nPos = nEnd + 1;
    }
    size_t nBody = 0;
    for (size_t i = 0; i < std::min<size_t>(vLines.size(), 3); ++i)
        if (vLines[i].empty()) {
            nBody = i + 1;
            break;
        }
    const size_t nShown = std::min(vLines.size(), nBody + kMaxLines);
    QStringList vShown;
    for (size_t i = 0; i < nShown; ++i) {
        // Only the start of a long line is converted; the cut counts characters.
        const std::string_view sLine = vLines[i];
        const size_t nTake = std::min<size_t>(sLine.size(), 4 * kMaxChars);
        QString q = QString::fromUtf8(sLine.data(), static_cast<qsizetype>(nTake));
        if (nTake < sLine.size() || q.size() > kMaxChars) {
            q.truncate(kMaxChars);
            if (!q.isEmpty() && q.back().isHighSurrogate()) q.chop(1);
            q += QChar(0x2026);
        }
        vShown << q;
    }
    const auto nMore = std::count_if(vLines.begin() + static_cast<std::ptrdiff_t>(nShown), vLines.end(),
                                     [](std::string_view x) { return !x.empty(); });
    if (nMore > 0) vShown << QChar(0x2026) + QStringLiteral(" and %1 more").arg(nMore);
    return vShown.join('\n');
}

void PlaceBeside(const QWidget* pPanel, QWidget* pWindow) {
    if (!pPanel || !pPanel->isVisible() || pWindow->isVisible()) return;
    // A window not sized by its maker takes the size its contents ask for.
    if (!pWindow->testAttribute(Qt::WA_Resized)) pWindow->adjustSize();
    const QScreen* pScreen = pPanel->screen();
    if (!pScreen) return;
    const QRect rcFree = pScreen->availableGeometry();
    const QRect rcPanel = pPanel->frameGeometry();
    // The window gets a frame like the panel's; before the panel has one,
    // allow a little for it.
    QSize oFrame = rcPanel.size() - pPanel->size();
    if (oFrame.isEmpty()) oFrame = QSize(16, 40);
    const QSize oSize = pWindow->size() + oFrame;
    constexpr int kGap = 8;
    const int nTop = qBound(rcFree.top(), rcPanel.top(), qMax(rcFree.top(), rcFree.bottom() + 1 - oSize.height()));
    const int nRoomRight = rcFree.right() - rcPanel.right() - kGap, nRoomLeft = rcPanel.left() - rcFree.left() - kGap;
    if (nRoomRight >= oSize.width())
        pWindow->move(rcPanel.right() + 1 + kGap, nTop);
    else if (nRoomLeft >= oSize.width())
        pWindow->move(rcPanel.left() - kGap - oSize.width(), nTop);
    else if (std::max(nRoomLeft, nRoomRight) >= oSize.width() / 2)
        // Against the screen's edge on the roomier side: it covers only the
        // panel's edge.
        pWindow->move(nRoomRight >= nRoomLeft ? rcFree.right() + 1 - oSize.width() : rcFree.left(), nTop);
    // Otherwise it centres itself on the panel, as the other windows do. Once
    // placed, it stays where the user puts it.
}

void CentreOn(const QRect& rcPanel, QWidget* pBox) {
    if (rcPanel.isEmpty()) return;
    const auto fnMove = [rcPanel, pBox]() {
        const QSize oFrame = pBox->isVisible() ? pBox->frameGeometry().size() : pBox->sizeHint().expandedTo(pBox->size());
        QPoint oAt = rcPanel.center() - QPoint(oFrame.width() / 2, oFrame.height() / 2);
        if (const QScreen* pScreen = pBox->screen()) {
            const QRect rcFree = pScreen->availableGeometry();
            oAt.setX(std::clamp(oAt.x(), rcFree.left(), std::max(rcFree.left(), rcFree.right() + 1 - oFrame.width())));
            oAt.setY(std::clamp(oAt.y(), rcFree.top(), std::max(rcFree.top(), rcFree.bottom() + 1 - oFrame.height())));
        }
        pBox->move(oAt);
    };
    fnMove();
    QTimer::singleShot(0, pBox, fnMove);
}

}  // namespace DialogLook
