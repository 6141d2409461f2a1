# panel/CStateFile.cpp
# the state file reader takes only lower-case true/false for a flag
/^bool ReadFlag/,/^}/ s/c = static_cast<char>(c - 'A' + 'a');/c = c;/
