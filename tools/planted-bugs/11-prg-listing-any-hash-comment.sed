# program/CPrgm_files.cpp
# the listing reader takes every # as a comment mark
s/return p == 0 || sLine\[p - 1\] == .*$/return true;/
