# machine/CMem_files.cpp
# a ranged data-file read stops one register short
s/if (i > b \&\& !bTooManyFails) return true;/if (i >= b \&\& !bTooManyFails) return true;/
