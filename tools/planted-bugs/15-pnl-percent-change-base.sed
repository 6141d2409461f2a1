# panel/CFrontPanel_keys.cpp
# %CH divides the change by x instead of y
s/Ranged(NumUtil::Div(x - y, y) \* 100.0)/Ranged(NumUtil::Div(x - y, x) * 100.0)/
