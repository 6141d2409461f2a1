# program/CPrgm_run.cpp
# a run resumed with R/S drops the number its steps were keying when it stopped
/^void CPrgm::Exec(int nStopBelow)/,/^}/ s/^    MergeReadNothing = false;$/    MergeReadNothing = false;\n    EntryActive = ExpEntryActive = false;/
