# numeric/Numeric_special.cpp
# gamma: the shift of a negative argument stops one step early
s/        while (x < 0.0) {/        while (x < -1.0) {/
