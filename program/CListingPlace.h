#pragma once
// A line of a listing file (or of the editor's text) that a refused program
// points at: where it is and what it says.
#include <string>

namespace corvel {

struct CListingPlace {
    std::string sSource;   // the file's name as the program label shows it, or "editor"
    int nLine = 0;         // the line of the text, from 1
    std::string sText;     // the line as written, without blanks around it (a long one shortened)

    // "prog.corvel line 12: X<Y?"
    std::string Describe() const { return sSource + " line " + std::to_string(nLine) + ": " + sText; }

    // A line as a place shows it: tabs as blanks, no blanks around it, a
    // long one cut short.
    static std::string Shown(const std::string& sLine) {
        std::string s = sLine.substr(0, 200);
        for (char& c : s)
            if (c == '\t') c = ' ';
        const size_t a = s.find_first_not_of(' ');
        s = a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
        return s.size() > 60 ? s.substr(0, 57) + "..." : s;
    }
};

} // namespace corvel
