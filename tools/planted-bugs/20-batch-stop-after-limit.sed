# batch/main.cpp
# --stop-after refuses its largest count, 10^15
s/return n >= 1 \&\& n <= 1000000000000000ULL;/return n >= 1 \&\& n < 1000000000000000ULL;/
