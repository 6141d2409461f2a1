# program/CPrgm_run.cpp
# a run resumed with R/S drops the number its steps were keying when it stopped
/^void CPrgm::Exec()/,/^}/ s/^    MergeReadNothing = false;$/    MergeReadNothing = false;\n    EntryActive = ExpEntryActive = false;/
