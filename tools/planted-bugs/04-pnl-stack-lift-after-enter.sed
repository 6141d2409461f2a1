# panel/CFrontPanel_entry.cpp
# after ENTER the next number lifts the stack again instead of overwriting the copy
s/if (!bInErr) eNumEntry = enmNumEntry::LiftPending;/if (!bInErr) eNumEntry = enmNumEntry::Idle;/
