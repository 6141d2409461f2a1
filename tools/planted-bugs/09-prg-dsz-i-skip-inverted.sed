# program/CPrgm_flow.cpp
# DSZ on I skips while the counter is not zero instead of when it reaches zero
0,/if (Numeric::DecAndTestZero(v))/ s/if (Numeric::DecAndTestZero(v))/if (!Numeric::DecAndTestZero(v))/
