# panel/CStateFile.cpp
# the state file writes the stack from X to T instead of T to X
s/for (double v : {fT, fZ, fY, fX}) Line/for (double v : {fX, fY, fZ, fT}) Line/
