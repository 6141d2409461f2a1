# program/CPrgm_fast.cpp
# the fast path runs on past the RTN that ends a step over or out
s/    if (RetPtr < nStopBelow_) goto Done;.*//
