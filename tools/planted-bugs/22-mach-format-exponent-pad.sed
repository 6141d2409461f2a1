# machine/CMachine_format.cpp
# a negative exponent below 10 loses its leading zero ("-5" instead of "-05")
s/std::snprintf(buf, sizeof buf, "-%02d", -e);/std::snprintf(buf, sizeof buf, "-%d", -e);/
