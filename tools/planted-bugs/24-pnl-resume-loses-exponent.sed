# panel/CFrontPanel.cpp
# R/S after a run stopped inside an exponent hands the number back without its exponent entry
/^void CFrontPanel::ResumeStepEntry()/,/^}/ s/oPrgm.ExpEntryActive = eNumEntry == enmNumEntry::Exponent;/oPrgm.ExpEntryActive = false;/
