# program/CPrgm_files.cpp
# the listing reader takes every # as a comment mark ("RAN#" loses its #)
s/if (p != std::string::npos \&\& (p == 0 || sLine\[p - 1\] == ' ' || sLine\[p - 1\] == '\\t')) o.nComment = p;/if (p != std::string::npos) o.nComment = p;/
