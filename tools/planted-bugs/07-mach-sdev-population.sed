# machine/CStatRegs.cpp
# the standard deviation divides by n instead of n - 1
s/NumUtil::Div(fNum, n - 1.0)/NumUtil::Div(fNum, n)/
