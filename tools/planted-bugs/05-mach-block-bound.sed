# machine/CMem_blocks.cpp
# a register range ending at 999 is refused
s/if (lb < 0 || ub > kMaxReg)/if (lb < 0 || ub >= kMaxReg)/
