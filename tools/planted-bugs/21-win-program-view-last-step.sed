# windows/CProgramView.cpp
# the program view leaves out the last step of the program
s/    for (int n = 0; n <= nLast; ++n) {/    for (int n = 0; n < nLast; ++n) {/
