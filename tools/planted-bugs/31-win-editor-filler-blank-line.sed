# windows/frmEdit.cpp
# the editor ends the dimmed filler at the first blank line from the end
s/if (!s.isEmpty() \&\& s != QLatin1String(corvel::CPrgm::kFiller)) break;/if (s != QLatin1String(corvel::CPrgm::kFiller)) break;/
