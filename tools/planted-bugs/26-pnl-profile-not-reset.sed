# panel/CFrontPanel_keys.cpp
# a run from a label key adds to the profile instead of starting it again
s/    oPrgm.ResetProfile();.*//
