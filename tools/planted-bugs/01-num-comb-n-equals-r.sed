# numeric/Numeric_elementary.cpp
# COMB(n, n) refused as if r were larger than n
/^double Combinations/,/^}/ s/if (n < r) return kErrVal;/if (n <= r) return kErrVal;/
