# machine/CMem_files.cpp
# a data-file read that fails half way keeps the registers it read so far
s/    if (bDone) R_ = aCopy;/    R_ = aCopy;/
