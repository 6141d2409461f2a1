# windows/CPanelAccessible.cpp
# the accessible mode switch "toggles" to the position it is already in
s/sSpot = oMain.bRun ? QStringLiteral("W\/PRGM") : QStringLiteral("RUN");/sSpot = oMain.bRun ? QStringLiteral("RUN") : QStringLiteral("W\/PRGM");/
