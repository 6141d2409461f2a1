#pragma once
// Unsaved work survives the end of a session: on SIGTERM, SIGHUP, SIGINT or
// the desktop session ending, changed work is written (the state-file
// format, atomically) to a recovery file under $XDG_STATE_HOME/corvelxmem/
// (~/.local/state/corvelxmem/ by default); the next start offers it back.
#include <QObject>
#include <QString>
#include <functional>

#include "../panel/CFrontPanel.h"

namespace Recovery {

// The recovery file's full name.
QString FilePath();
// Writes the recovery file when the work changed since it was last kept;
// true when it was written.
bool SaveIfChanged(corvel::CFrontPanel& oMain);
// With a recovery file present: asks fnAsk "The last session ended with
// unsaved work. Restore it?"; on Yes restores it as the restore button does
// (the work then counts as changed). The file is removed either way.
void OfferAtStart(corvel::CFrontPanel& oMain, const std::function<bool(const QString&)>& fnAsk);
// Catches SIGTERM, SIGHUP and SIGINT. The handler only writes a byte to a
// pipe; fnOnSignal then runs in the event loop (owned by pOwner).
void OnSignals(QObject* pOwner, std::function<void()> fnOnSignal);

} // namespace Recovery
