# numeric/Numeric_special.cpp
# erfc of a negative argument: the reflection 2 - erfc(|x|) written as 1 - erfc(|x|)
s/return x >= 0.0 ? ans : 2.0 - ans;/return x >= 0.0 ? ans : 1.0 - ans;/
