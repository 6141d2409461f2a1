// The panel as a desktop window: its first size, what a running program looks like, why "Error" is shown,
// legible legends, tool tips everywhere, one look for every dialog, accessibility and the reference.
#include <bit>
#include <cmath>
#include <map>

#include "../../panel/CStateFile.h"
#include "../../windows/CDialogLook.h"
#include "../../windows/CLedDisplay.h"
#include "../../windows/CLegendText.h"
#include "../../windows/CPanelColours.h"
#include "../../windows/CReferenceWindow.h"
#include "QtTestSupport.h"
#include "corvel_version.h"

TEST(LedDisplay, NumbersInSegmentsWithThePointBetweenDigitsAndTextInDots) {
    // sCells: the sign, then each cell with "." after a lit point; "" when not a number.
    const struct { const char *sText, *sCells; } kCases[] = {
        {"-1.50", "-1.50"}, {"1 50", " 150"}, {"12.", " 12."}, {"Error", ""}, {"1.2.3", ""}, {" 5", ""}};
    for (const auto& c : kCases) {
        LedDisplay::CNumber o;
        QString sCells;
        if (LedDisplay::ParseNumber(QString::fromLatin1(c.sText), o)) {
            sCells = o.bMinus ? "-" : " ";
            for (const LedDisplay::CCell& oCell : o.vCells) sCells += QString(QChar(oCell.c)) + (oCell.bPoint ? "." : "");
        }
        EXPECT_EQ(sCells, c.sCells) << c.sText;
    }
    // Each digit lights as many segments as a seven-segment display shows for it.
    std::string sLit;
    for (char c = '0'; c <= '9'; ++c) sLit += static_cast<char>('0' + std::popcount(LedDisplay::Segments(c)));
    EXPECT_EQ(sLit, "6255456376");
    const auto Led = [](const QString& sMantissa, const QString& sExponent, bool bText = false) {
        QImage o(420, 56, QImage::Format_RGB32);
        o.fill(Qt::black);
        QPainter p(&o);
        p.setRenderHint(QPainter::Antialiasing);
        LedDisplay::Paint(p, QRectF(0, 0, 420, 56), sMantissa, sExponent, bText, LedDisplay::enmBrightness::Full);
        return o;
    };
    // A blinking point leaves every digit where it was: only the point's few columns change.
    const QImage oLit = Led("1.50", ""), oUnlit = Led("1 50", "");
    int nColumns = 0;
    for (int x = 0; x < oLit.width(); ++x)
        nColumns += oLit.copy(x, 0, 1, oLit.height()) != oUnlit.copy(x, 0, 1, oLit.height());
    EXPECT_TRUE(nColumns > 0 && nColumns < 10) << nColumns;
    // A mantissa longer than its cells is cut before the exponent, which stays; upper and lower case differ.
    EXPECT_EQ(Led("1." + QString(60, '2'), "-05"), Led("1." + QString(14, '2'), "-05"));
    EXPECT_NE(Led("1." + QString(14, '2'), "-05"), Led("1." + QString(14, '2'), "-06"));
    // Without an exponent, FIX 9 of 1234567 (16 digits) and a rounding carry to 17 digits show every digit.
    EXPECT_NE(Led("1234567.123456789", ""), Led("1234567.123456780", ""));
    EXPECT_NE(Led("10000000.000000000", ""), Led("10000000.00000000", ""));
    EXPECT_NE(Led("005 GSB e", "", true), Led("005 GSB E", "", true));
}

TEST(FirstSize, TheLargestPanelThatFitsTheScreenWithItsFrameAndNoLessThanTheMinimum) {
    const QSize oMin = CPanelWindow::MinimumPanelSize(), kFrame(2, 25);
    // Available areas: laptop, 2560x1440 at scale 2, full HD, portrait, one smaller than the minimum.
    for (const QSize& oFree : {QSize(1366, 768), QSize(1280, 720), QSize(1920, 1080), QSize(768, 1366), QSize(640, 480)}) {
        const QSize o = CPanelWindow::FirstSize(oFree, kFrame);
        EXPECT_NEAR(o.width() * 800.0 / o.height(), 480.0, 2.0) << oFree.width();
        if (oMin.height() + kFrame.height() > oFree.height()) EXPECT_EQ(o, oMin);
        else   // it fits, and is the largest: one pixel more would not fit, unless at full size
            EXPECT_TRUE(o.height() + kFrame.height() <= oFree.height() && o.width() + kFrame.width() <= oFree.width() &&
                        (o.height() == 800 || o.height() + 2 + kFrame.height() > oFree.height())) << o.width() << "x" << o.height();
    }
    EXPECT_EQ(CPanelWindow::FirstSize(QSize(1366, 768), kFrame), QSize(445, 743));
    // The minimum keeps the smallest legend nine pixels tall, and is the smallest such size.
    const int nSmallest = CPanelWindow::SmallestLegendPixels();
    EXPECT_TRUE(nSmallest * oMin.height() / 800.0 >= 9.0 && nSmallest * (oMin.height() - 2) / 800.0 < 9.0);
    CCalcUnderTest o;   // the window starts at its first size
    EXPECT_TRUE(o.oWindow.minimumSize() == oMin &&
                o.oWindow.size() == CPanelWindow::FirstSize(o.oWindow.screen()->availableGeometry().size()));
}

TEST(RunIndication, DimmedWithTheLampLitExceptWhatTheProgramShowsOnPurposeOrItsError) {
    for (const char* sStep : {"PAUSE", "-X-", "STK"}) {
        SCOPED_TRACE(sStep);
        CCalcWith<CSimClockHost> o;
        o.Program({"LBL A", sStep, "1", "+", "RTN"});
        o.oMain.PressKey("5");
        const QRect rcDisp = o.oWindow.SpotRect("DISPLAY"), rcLamp = o.oWindow.SpotRect("LAMP");
        QString sSeen;   // "w+" a wait at full brightness, "y-" a yield dimmed ...
        o.oHost.fnOnWait = [&](char cWhen) {
            if (!o.oMain.View().bBusy || sSeen.count(cWhen) > 3) return;
            const QImage oImg = o.oWindow.GrabPanel();
            EXPECT_GT(Peak(oImg, rcLamp, true), 200);
            sSeen += QString(cWhen) + (Peak(oImg, rcDisp) > 220 ? '+' : '-');
        };
        o.oMain.PressKey("A");
        EXPECT_TRUE(sSeen.contains("y-") && sSeen.contains("w+") && !sSeen.contains("w-")) << sSeen;
        const QImage oAfter = o.oWindow.GrabPanel();   // over: full brightness, the lamp out
        EXPECT_TRUE(Peak(oAfter, rcDisp) > 220 && Peak(oAfter, rcLamp, true) < 120 && !o.oWindow.PaintedDimmed());
    }
    // While the program's error is shown: the lamp off, the display normal.
    CCalcUnderTest o;
    o.Program({"LBL A", "0", "1/X"});
    QString sSeen;
    CAnswers oAnswers({[&](QWidget* w) {
        sSeen = QString("%1 %2 ").arg(o.oMain.View().bBusy).arg(o.oWindow.PaintedDimmed()) + o.oWindow.PaintedDisplay();
        kReject(w);
    }});
    o.Click("A");
    EXPECT_EQ(sSeen, "0 0 Error");
}

TEST(Legibility, EveryLegendContrastsAtLeastFourAndAHalfToOneAndEveryControlHasAToolTip) {
    EXPECT_NEAR(PanelColours::ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);   // a known value
    std::vector<PanelColours::CInkPair> v = PanelColours::InkPairs();
    v.insert(v.end(), {{"dialog text", DialogLook::kText, DialogLook::kWindow},
                       {"dialog text on lists", DialogLook::kText, DialogLook::kBase},
                       {"dialog buttons", DialogLook::kText, DialogLook::kButton},
                       {"dialog selection", DialogLook::kHighlightText, DialogLook::kHighlight},
                       {"dialog disabled text", DialogLook::kDisabledText, DialogLook::kWindow}});
    for (const auto& o : v)
        EXPECT_GE(PanelColours::ContrastRatio(o.oInk, o.oBackground), 4.5) << o.sWhat << " " << o.oInk.name();
    CCalcUnderTest o;
    for (const QString& s : o.oWindow.SpotNames())
        EXPECT_FALSE(o.oWindow.ToolTipAt(o.oWindow.SpotRect(s).center()).isEmpty()) << s;
    // Keys name the characters that type them.
    const char* const kTips[][2] = {{"ENTER", "ENTER \u2014 typed: e or Enter"}, {"(i)", "(i) \u2014 typed: ( or i or )"},
                                    {"CARD", "Card slot: write the program or read data"}};
    for (const auto& t : kTips)
        EXPECT_EQ(o.oWindow.ToolTipAt(o.oWindow.SpotRect(t[0]).center()).section('\n', 0, 0), QString::fromUtf8(t[1]));
    // The superscripts are drawn raised, from plain characters.
    QStringList vRuns;
    for (const LegendText::CRun& r : LegendText::Runs(QString::fromUtf8("SIN⁻¹"))) vRuns << (r.bSuper ? "^" : "") + r.sText;
    EXPECT_EQ(vRuns, QStringList({"SIN", QString::fromUtf8("^\u22121")}));
}

TEST(Dialogs, ShareOneLookAndTheAboutBoxFitsThePanelAtScaleOneOneAndAHalfAndTwo) {
    CCalcUnderTest o;
    QTest::qWait(400);   // the window takes its first size 300 ms after it shows: measure after that
    // A scale factor shrinks the screen in logical pixels: a narrower box, its text in more lines.
    for (const qreal fScale : {1.0, 1.5, 2.0}) {
        const QSize oFree(qRound(1366 / fScale), qRound(768 / fScale));
        o.oWindow.resize(CPanelWindow::FirstSize(oFree, CPanelWindow::kFrameAllowance, fScale));
        CAnswers oAnswers({[&](QWidget* w) {
            auto* p = w->findChild<QLabel*>("lblAbout");
            ASSERT_TRUE(p);
            EXPECT_TRUE(p->text().contains("CorvelXMem " CORVEL_VERSION) && p->height() >= p->heightForWidth(p->width()) &&
                        w->frameGeometry().height() <= oFree.height() && w->width() <= o.oWindow.PanelRect().width()) << fScale;
            kReject(w);
        }});
        o.oHost.ShowAbout();
        EXPECT_EQ(oAnswers.Acted(), 1);
    }
    o.oWindow.ToggleProgramView();   // message boxes centre on the panel, not on the whole window
    QCoreApplication::processEvents();
    const QPoint oPanelCentre = o.oWindow.PanelScreenRect().center();
    const std::function<void()> kOpeners[] = {
        [&] { o.oHost.ShowMsg("text", "title"); }, [&] { o.oHost.ShowRegisters({"p0: 1"}); },
        [&] { o.oHost.ShowMemBlock([](bool) { return std::vector<std::string>{"0: 1"}; }); },
        [&] { o.oHost.AskYesNo("t", "question?", enmIcon::Question); },
        [&] { std::string s; o.oHost.InputBox("p", "t", "", s); },
        [&] { CFileChoice c; c.sPurpose = "Read a data file"; o.oHost.ChooseFile("", enmFileUse::Read, c); },
        [&] { o.oHost.ShowEditor("LBL A", [](const std::string&) { return true; }); }, [&] { o.oHost.ShowAbout(); },
    };
    for (const auto& fnOpen : kOpeners) {
        CAnswers oAnswers({[&](QWidget* w) {
            const QString sName = w->objectName() + "/" + w->metaObject()->className();
            EXPECT_TRUE(w->property("corvelLook").toBool()) << sName;
            if (sName.startsWith("MyMsgBox") || sName.startsWith("AboutBox") || sName.endsWith("/QMessageBox"))
                EXPECT_LE((w->frameGeometry().center() - oPanelCentre).manhattanLength(), 4) << sName;
            if (auto* pPurpose = w->findChild<QLabel*>("lblPurpose")) {
                // The title stays; the line under it says what the file is for; OK does not look like Enter's.
                EXPECT_EQ(w->windowTitle() + "|" + pPurpose->text(), "File Selection Dialog Box|Read a data file");
                for (QPushButton* b : w->findChildren<QPushButton*>()) EXPECT_FALSE(b->isDefault()) << b->text();
            }
            kReject(w);
        }});
        fnOpen();
        EXPECT_EQ(oAnswers.Acted(), 1) << "opener " << &fnOpen - kOpeners;
    }
}

TEST(Keyboard, BackspaceIsClxAndTheAnnunciatorsShowPrefixModeAndPendingOperation) {
    CCalcUnderTest o;
    KeyClicks(&o.oWindow, "5");
    KeyClick(&o.oWindow, Qt::Key_Return);   // Return is ENTER, as "e" is: the entry ends
    const std::string sEntered = o.oMain.View().lblDisp;
    KeyClick(&o.oWindow, Qt::Key_Backspace);
    EXPECT_EQ(sEntered + "|" + o.oMain.View().lblDisp, "5.00|0.00");
    // The strip along the top of the glass, where the annunciators are drawn.
    const QRect rcDisp = o.oWindow.SpotRect("DISPLAY");
    const QRect rcStrip(rcDisp.left(), rcDisp.top() + rcDisp.height() * 12 / 100, rcDisp.width() / 4, rcDisp.height() / 6);
    const int nUnlit = Peak(o.oWindow.GrabPanel(), rcStrip);
    const struct { const char* sTyped; const char* sClick; QStringList vShown; } aSteps[] = {
        {"f", nullptr, {"f"}}, {"", "W/PRGM", {"PRGM"}}, {"", "RUN", {}}, {"s", nullptr, {"STO"}},
        {"+", nullptr, {"STO+"}}, {"1", nullptr, {}}, {"h", nullptr, {"h"}}};
    for (const auto& c : aSteps) {
        KeyClicks(&o.oWindow, c.sTyped);
        if (c.sClick) o.Click(c.sClick);
        const int nPeak = Peak(o.oWindow.GrabPanel(), rcStrip);
        EXPECT_TRUE(o.oWindow.Annunciators() == c.vShown && (c.vShown.isEmpty() ? nPeak == nUnlit : nPeak > nUnlit + 60))
            << c.sTyped << (c.sClick ? c.sClick : "") << " " << o.oWindow.Annunciators().join(',') << " " << nPeak;
    }
}

TEST(DesktopFiles, AListingOnTheCommandLineOrDroppedIsReadAndADroppedStateFileRestored) {
    QTemporaryDir oDir;
    const QString sListing = oDir.filePath("double.corvel"), sState = oDir.filePath("saved.txt");
    ASSERT_TRUE(WriteFile(sListing, "LBL A\n2\n*\nRTN\n"));
    CStateFile oState;
    oState.fX = 42;
    ASSERT_TRUE(oState.Write(sState.toStdString()));
    CCalcUnderTest o;
    CAnswers oMissing({kReject});
    o.oWindow.OpenListing(oDir.filePath("missing.corvel"));   // says why, leaves the start state
    EXPECT_TRUE(oMissing.Acted() == 1 && !o.oMain.Prgm().HasProgram());
    o.oWindow.OpenListing(sListing);
    EXPECT_TRUE(o.oMain.Prgm().HasProgram() && o.oMain.View().lblPrgm == "double.corvel");
    o.oMain.Prgm().Clear();
    const auto Drop = [&](const QString& sFile) {
        QMimeData oData;
        oData.setUrls({QUrl::fromLocalFile(sFile)});
        const QPoint oAt = o.oWindow.SpotRect("DISPLAY").center();
        QDragEnterEvent oEnter(oAt, Qt::CopyAction, &oData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&o.oWindow, &oEnter);
        EXPECT_TRUE(oEnter.isAccepted());
        QDropEvent oDrop(QPointF(oAt), Qt::CopyAction, &oData, Qt::LeftButton, Qt::NoModifier);
        CAnswers oAnswers({Press("Yes")});
        QApplication::sendEvent(&o.oWindow, &oDrop);
        EXPECT_TRUE(QTest::qWaitFor([&] { return oAnswers.Acted() == 1 && !QApplication::activeModalWidget(); }, 3000));
        return oAnswers.vTexts.join('|');
    };
    EXPECT_EQ(Drop(sListing), "Read Program?");
    EXPECT_TRUE(o.oMain.Prgm().HasProgram());
    EXPECT_EQ(Drop(sState), "Restore the calculator's state from " + sState + "?");
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), 42);
}

TEST(Screen, TheFirstAndTheSmallestWindowFitThisScreenWithLegendsNinePixelsTall) {
    // Run on Xvfb at each screen size and scale factor by CTest (xvfb:screen-*), with room for a 48-pixel taskbar.
    CCalcUnderTest o;
    const qreal fRatio = o.oWindow.devicePixelRatioF();
    const QSize oFree = o.oWindow.screen()->availableGeometry().size() - QSize(0, static_cast<int>(std::ceil(48 / fRatio)));
    const QSize oMin = o.oWindow.minimumSize() + CPanelWindow::kFrameAllowance;
    EXPECT_TRUE(oMin.width() <= oFree.width() && oMin.height() <= oFree.height()) << oFree.width() << "x" << oFree.height();
    EXPECT_GE(CPanelWindow::SmallestLegendPixels() * fRatio * o.oWindow.minimumHeight() / CPanelWindow::kHeight, 9.0);
    const QSize oFirst = CPanelWindow::FirstSize(oFree, CPanelWindow::kFrameAllowance, fRatio);
    EXPECT_TRUE(oFirst.height() + CPanelWindow::kFrameAllowance.height() <= oFree.height() &&
                o.oWindow.height() <= o.oWindow.screen()->availableGeometry().height());
}

TEST(Accessibility, KeysSwitchesButtonsAndTheDisplayAreInTheTreeAndActAsClicks) {
    CCalcUnderTest o;
    QAccessibleInterface* pPanel = QAccessible::queryAccessibleInterface(&o.oWindow);
    ASSERT_TRUE(pPanel);
    std::map<QString, QAccessibleInterface*> mByName;
    int nButtons = 0, nKeys = 0;
    for (int i = 0; i < pPanel->childCount(); ++i) {
        QAccessibleInterface* p = pPanel->child(i);
        ASSERT_TRUE(p && p->parent() == pPanel && pPanel->indexOfChild(p) == i);
        mByName[p->text(QAccessible::Name)] = p;
        if (p->role() != QAccessible::Button) continue;
        ++nButtons;
        EXPECT_TRUE(!p->text(QAccessible::Name).isEmpty() &&
                    p->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())) << i;
    }
    corvel::KeyRows(nKeys);
    EXPECT_EQ(nButtons, nKeys + 7);   // the card slot and six picture buttons besides the keys
    // A shifted function is a description, not a key of its own.
    QAccessibleInterface* pDisplay = pPanel->child(0);
    EXPECT_TRUE(pDisplay->role() == QAccessible::StaticText && !mByName.count("LN") && mByName.count("7") &&
                mByName["7"]->text(QAccessible::Description).contains("typed: 7"));
    for (const char* s : {"7", "ENTER", "0", "\u00f7"}) mByName.at(s)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(pDisplay->text(QAccessible::Name), "Error");
    // Why, under the display and in its tool tip until cleared (each cause: tests/panel/test_keyboard.cpp).
    const QPoint oDisplay = o.oWindow.SpotRect("DISPLAY").center();
    EXPECT_EQ(pPanel->child(1)->text(QAccessible::Name) + "|" + o.oWindow.InfoLine(), "division by zero|division by zero");
    EXPECT_TRUE(o.oWindow.ToolTipAt(oDisplay).contains("division by zero"));
    o.Click("CLX");
    EXPECT_FALSE(o.oWindow.ToolTipAt(oDisplay).contains("division by zero") || !o.oWindow.InfoLine().isEmpty());
    QAccessibleInterface* pMode = mByName.at("RUN mode (W/PRGM when off)");
    EXPECT_TRUE(pMode->role() == QAccessible::CheckBox && pMode->state().checked && mByName.at("Power")->state().checked);
    pMode->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(o.oMain.View().bRun || pMode->state().checked);
}

TEST(Reference, F1OpensItWithEveryKeyMnemonicAndAliasAndASearchFindsStoPlusByStore) {
    CCalcUnderTest o;
    KeyClick(&o.oWindow, Qt::Key_F1);
    CReferenceWindow* pRef = o.oWindow.ReferenceWindow();
    ASSERT_TRUE(pRef && pRef->isVisible());
    int nInstr = 0, nAliases = 0, nKeys = 0;
    const CInstr* pInstr = CPrgm::InstrTable(nInstr);
    const CAlias* pAliases = CPrgm::AliasTable(nAliases);
    for (int i = 0; i < nInstr; ++i) EXPECT_TRUE(pRef->ShownInstructions().contains(pInstr[i].sName)) << pInstr[i].sName;
    for (int i = 0; i < nAliases; ++i) EXPECT_TRUE(pRef->ShownInstructions().contains(pAliases[i].sAlias)) << pAliases[i].sAlias;
    corvel::KeyRows(nKeys);
    EXPECT_EQ(pRef->ShownKeys().size(), nKeys);
    pRef->txtSearch->setText("store");
    EXPECT_TRUE(pRef->ShownInstructions().contains("STO+") && !pRef->ShownInstructions().contains("SIN"));
    pRef->txtSearch->setText("LN");
    EXPECT_TRUE(pRef->ShownKeys().contains("7") && !pRef->ShownKeys().contains("8"));
}
