# panel/CFrontPanel_entry.cpp
# CHS in the exponent sets the minus sign but never clears it
s/lblEex\[0\] = lblEex\[0\] == . . ? .-. : . .;/lblEex[0] = '-';/
