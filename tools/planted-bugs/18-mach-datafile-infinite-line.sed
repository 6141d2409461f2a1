# machine/CMem_files.cpp
# a data-file line reading "inf" or a number beyond the doubles is stored as it reads
s/if (!NumUtil::ParseLeading(sLine, v) || !std::isfinite(v)) return 0.0;/if (!NumUtil::ParseLeading(sLine, v)) return 0.0;/
