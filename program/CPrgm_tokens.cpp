// The instruction vocabulary: the sorted token table used to check listings,
// and the aliases a listing may use.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "CPrgm.h"

namespace corvel {

namespace {

std::string Upper(const std::string& s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

bool StartsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

} // namespace

const char* CPrgm::GetTokenList() {
    return "+,-,*,/,0,1,2,3,4,5,6,7,8,8,9,.,%,LN,PI,R^,RV,N!,FACT,ST,RC,SF,CF,F?,LBL,R/S,STO,RCL,GTO,GSB,"
           "RTN,CHS,EEX,ABS,X^2,1/X,E^X,Y^X,SIN,COS,TAN,CLX,LOG,DSP,%CH,INT,FIX,SCI,ENG,RND,DEG,RAD,GRD,"
           "DSZ,ISZ,LST,REG,STK,-X-,FRAC,X<>Y,STO+,STO-,STO*,STO/,RCL+,RCL-,RCL*,RCL/,10^X,SQRT,MEAN,SDEV,"
           "X<>I,P<>S,X=0?,X=Y?,X<0?,X>0?,X>Y?,R<-P,R->P,D<-R,D->R,HMS+,ENTER,MERGE,X<>0?,X!=0?,X<>Y?,"
           "X!=Y?,X<=Y?,CLREG,CLSTK,PAUSE,SPACE,ARCSIN,ARCCOS,ARCTAN,SUM+,SUM-,W/DATA,H<-HMS,H->HMS,LR,SI,"
           "CI,ERF,ERFC,BESSJ0,BESSJ1,BESSJN,BESSY0,BESSY1,BESSYN,EXPINT,GAMMA,BETA,CHEB,LAGR,LEGN,HERM,"
           "FSIN,FCOS,COMB,PERM,FLOOR,CEIL,SINH,COSH,TANH,ASINH,ACOSH,ATANH,LR2,XHAT,YHAT,CLRFLG,RAN#,"
           "BEEP,W/DATAX,R/DATAX,W/DATA$,R/DATA$,CLRREGX,SWAPREG,COPYREG,LRPOW,LRLOG,LREXP,LRLIN,MLR,"
           "MLRPOW,QUADREG,FILLC,FILLR,FILLV,SORT,REGX,SRCHI,SRCHE,SUM+X,SUM-X,CLRSUM,SORTREC,MOVEREG,"
           "SUMX+X,SUMX-X,WRIT2SF,READFSF";
}

void CPrgm::InitTokens() {
    // The vocabulary is split and sorted once; every program memory takes a copy.
    struct CTable {
        std::array<std::string, kTokenCapacity + 1> a;
        int16_t n = 0;
    };
    static const CTable oTable = [] {
        CTable t;
        const std::string sList = Upper(GetTokenList());
        size_t nStart = 0;
        while (nStart <= sList.size()) {
            size_t nComma = sList.find(',', nStart);
            if (nComma == std::string::npos) nComma = sList.size();
            if (t.n >= kTokenCapacity) break;   // the table is full
            t.a[static_cast<size_t>(++t.n)] = sList.substr(nStart, nComma - nStart);
            nStart = nComma + 1;
        }
        QuickSort(t.a, 1, t.n);
        return t;
    }();
    Tokens = oTable.a;
    TokenCount = oTable.n;
}

void CPrgm::SortTokens() { QuickSort(Tokens, 1, TokenCount); }

void CPrgm::QuickSort(std::array<std::string, kTokenCapacity + 1>& a, int nFirst, int nLast) {
    if (nFirst < 0) nFirst = 0;
    if (nLast > kTokenCapacity) nLast = kTokenCapacity;
    // Recurse into the smaller part, loop over the larger one: the depth stays logarithmic.
    while (nFirst < nLast) {
        const std::string sPivot = a[nFirst + (nLast - nFirst) / 2];
        int i = nFirst, j = nLast;
        while (i <= j) {
            while (a[i] < sPivot) ++i;
            while (sPivot < a[j]) --j;
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        }
        if (j - nFirst < nLast - i) {
            QuickSort(a, nFirst, j);
            nFirst = i;
        } else {
            QuickSort(a, i, nLast);
            nLast = j;
        }
    }
}

int16_t CPrgm::SearchToken(const std::string& sToken) const {
    int nLo = 1, nHi = TokenCount;
    while (nLo <= nHi) {
        const int nMid = static_cast<int>(std::nearbyint((nLo + nHi) / 2.0));
        const int nCmp = Tokens[nMid].compare(sToken);
        if (nCmp < 0)
            nLo = nMid + 1;
        else if (nCmp > 0)
            nHi = nMid - 1;
        else
            return static_cast<int16_t>(nMid);
    }
    return 0;
}

std::string CPrgm::CheckTokens() const { return CheckTokensIn(Program_); }

std::string CPrgm::CheckTokensIn(const CSteps& aSteps) const {
    std::string sReport;
    // A step like the one before it (the fillers after a program) is not looked up again.
    const std::string* pLast = nullptr;
    bool bLastKnown = false;
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = aSteps[static_cast<size_t>(n)];
        if (!pLast || sStep != *pLast) {
            const std::string sMnemonic = Upper(sStep.substr(0, sStep.find(' ')));
            // A control character anywhere makes a step that cannot be an instruction.
            const bool bControl = std::any_of(sStep.begin(), sStep.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
            });
            bLastKnown = !bControl && SearchToken(sMnemonic) != 0;
            pLast = &sStep;
        }
        if (!bLastKnown) sReport += "Line " + std::to_string(n) + " " + sStep + "\r\n";
    }
    return sReport;
}

void CPrgm::Translate(std::string& sStep) {
    const std::string u = Upper(sStep);
    if (u.empty()) return;
    switch (u[0]) {
    case 'A':
        if (u == "ASIN") sStep = "ARCSIN";
        else if (u == "ACOS") sStep = "ARCCOS";
        else if (u == "ATAN") sStep = "ARCTAN";
        return;
    case 'X':
        if (u == "X") sStep = "*";
        else if (u == "X2") sStep = "X^2";
        else if (u == "X#Y?") sStep = "X<>Y?";
        else if (u == "X#0?") sStep = "X<>0?";
        return;
    case 'S':
        if (u == "S") sStep = "SDEV";
        else if (u == "STOP") sStep = "R/S";
        else if (StartsWith(u, "STO +") || StartsWith(u, "STO -") || StartsWith(u, "STO *") ||
                 StartsWith(u, "STO /"))
            sStep = "STO" + std::string(1, u[4]) + sStep.substr(5);
        return;
    case 'R':
        if (u == "ROLL DN") sStep = "RV";
        else if (u == "ROLL UP") sStep = "R^";
        return;
    case 'F':
        if (u.size() == 3 && u[2] == '?' && u[1] >= '0' && u[1] <= '9') sStep = std::string("F? ") + u[1];
        return;
    case '-':
        if (u == "->HMS") sStep = "H->HMS";
        else if (u == "->H") sStep = "H<-HMS";
        return;
    default:
        if (u == "PRTX") sStep = "-X-";
        else if (u == "PRTSTK") sStep = "STK";
        else if (u == "YX") sStep = "Y^X";
        else if (u == "DSZ I") sStep = "DSZ";
        else if (u == "ISZ I") sStep = "ISZ";
        else if (u == "LOG10") sStep = "LOG";
        else if (u == "EXP") sStep = "E^X";
        return;
    }
}

} // namespace corvel
