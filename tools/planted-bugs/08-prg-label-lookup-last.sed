# program/CPrgm_memory.cpp
# the label lookup never sees the last label
s/for (int k = 1; k <= LabelCount; ++k)/for (int k = 1; k < LabelCount; ++k)/
