# panel/CFrontPanel_keys.cpp
# %CH divides the change by x instead of y
s/Tested(NumUtil::Div(x - y, y) \* 100.0)/Tested(NumUtil::Div(x - y, x) * 100.0)/
