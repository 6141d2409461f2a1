# program/CPrgm_fast.cpp
# the fast path counts DSZ n up instead of down
s/    FAST_COUNTER(r->nReg, -1.0)/    FAST_COUNTER(r->nReg, 1.0)/
