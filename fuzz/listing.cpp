// Fuzz target: the listing reader (ReadProgram) and the editor's text taken
// back (AcceptEditText), each given the whole input. It fails when a refused
// listing or text changes the program, its pointer, its file name or its
// labels; when an accepted one holds a step outside the vocabulary; and when
// the program written as a listing with step numbers and read back, or shown
// in the editor and taken back, differs in a step (the editor may write a
// step in capitals once).
#include <algorithm>
#include <string>

#include "FuzzSupport.h"

using namespace corvel_fuzz;

namespace {

// The program in memory before each read: labels, a subroutine, a number.
void LoadStart(CPrgm& p) {
    static const char* const kSteps[] = {"LBL A", "STO 1", "GSB b", "RTN", "LBL b", "1", ".", "5", "+", "RTN"};
    p.Clear();
    int n = 1;
    for (const char* s : kSteps) p.SetLine(n++, s);
    p.ScanLabels();
    p.SetPrgmPointer(3);
    p.SetFilename("start.corvel");
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return s;
}

// bAnyCase: the editor writes a step in capitals unless a label's case counts. One pass over all
// steps costs less than finding both programs' ends first.
bool SameSteps(const CPrgm& a, const CPrgm& b, bool bAnyCase = false) {
    for (int n = 1; n <= CPrgm::kMaxSteps; ++n)
        if (bAnyCase ? Upper(a.GetLine(n)) != Upper(b.GetLine(n)) : a.GetLine(n) != b.GetLine(n)) return false;
    return true;
}

// Whether a listing and the editor's text carry steps 1..nEnd as they are. A listing does not
// carry a step whose first "#" follows a blank: it reads as the start of a comment (the editor
// takes such a step). The editor takes a line as the listing reader does, so a step whose first
// word is a number followed by more ("5 STO A", from "001 5 STO A") comes back without it.
struct CCarried {
    bool bListing = true, bEditor = true;
};
CCarried Carried(const CPrgm& p, int nEnd) {
    CCarried o;
    for (int n = 1; n <= nEnd; ++n) {
        const std::string& s = p.GetLine(n);
        const size_t k = s.find('#');
        if (k != std::string::npos && k > 0 && s[k - 1] == ' ') o.bListing = false;
        const CPrgm::CLineParts c = CPrgm::SplitListingLine(s);
        if (c.nCode != 0 || c.nCodeEnd != s.size() || c.nComment != std::string::npos) o.bEditor = false;
    }
    return o;
}

// Where line n+1 of a text of CR LF lines starts.
size_t AfterLines(const std::string& s, int n) {
    size_t k = 0;
    while (n-- > 0) k = s.find("\r\n", k) + 2;
    return k;
}

// The text of a program ending at step nEnd as the listing writer (bListing) or the editor
// gives it, cut at the program's end after a check that the rest is as for
// no program at all (whose text reads back as none, checked once).
std::string TextToEnd(CPrgm& p, int nEnd, bool bListing) {
    const auto fnText = [bListing](CPrgm& o) {
        if (bListing) FUZZ_CHECK(o.WriteProgram("out.corvel"), "a listing could not be written");
        return bListing ? ReadFile("out.corvel") : o.EditText();
    };
    static std::string aNone[2];
    std::string& sNone = aNone[bListing];
    if (sNone.empty()) {
        CMachine m;
        CFakeFeedback fb(m);
        CPrgm o(m, fb);
        fb.vYesNo = {true};
        sNone = fnText(o);
        FUZZ_CHECK((bListing ? o.ReadProgram("out.corvel") : o.AcceptEditText(sNone)) && End(o) == 0,
                   "no program does not read back as none");
    }
    const std::string s = fnText(p);
    const size_t nHead = AfterLines(s, nEnd);
    FUZZ_CHECK(s.compare(nHead, std::string::npos, sNone, AfterLines(sNone, nEnd)) == 0,
               "a program's text after its end is not the filler's");
    return s.substr(0, nHead);
}

// The calculators: 0 and 1 take the input, 2 to 4 the programs read back. Each
// input drops what they recorded (what it keeps, the fuzzer takes for a leak).
CCalc& Calc(int n) {
    static CCalc a[5];
    return a[n];
}

// An accepted program: known steps only, and it survives a listing with step numbers and the
// editor unchanged (without step numbers a listing cannot carry a step whose first word is a
// number). The editor may refuse a program from a listing: it writes "gto" as "GTO", whose label
// the label check then looks for. Returns whether the editor took the program's text.
bool CheckAccepted(CPrgm& p, CFakeFeedback& fb, bool bFromEditor) {
    FUZZ_CHECK(p.CheckTokens().empty(), "an accepted program holds an unknown step");
    CheckPointers(p);
    fb.vYesNo = {true};
    const int nEnd = End(p);
    const CCarried oCarried = Carried(p, nEnd);
    WriteFile("head.corvel", TextToEnd(p, nEnd, true));
    CCalc& o0 = Calc(2);
    const bool bRead = o0.p.ReadProgram("head.corvel");
    if (oCarried.bListing) {
        FUZZ_CHECK(bRead, "a listing written could not be read back");
        FUZZ_CHECK(SameSteps(p, o0.p), "a listing written and read back differs");
    }
    if (!oCarried.bEditor) return true;
    CCalc &o = Calc(3), &o2 = Calc(4);
    const bool bTaken = o.p.AcceptEditText(TextToEnd(p, nEnd, false));
    FUZZ_CHECK(bTaken || !bFromEditor, "the editor refused the text of a program it took");
    if (!bTaken) return false;
    FUZZ_CHECK(SameSteps(p, o.p, true), "the editor's text taken back differs");
    FUZZ_CHECK(o2.p.AcceptEditText(TextToEnd(o.p, End(o.p), false)), "the editor's text of a program was refused");
    FUZZ_CHECK(SameSteps(o.p, o2.p), "the editor's text taken back twice differs");
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    const std::string sText(reinterpret_cast<const char*>(pData), nSize);
    WriteFile("in.corvel", sText);

    CCalc &oFile = Calc(0), &oEdit = Calc(1);   // each loaded afresh below
    static const CProgramSnap oBefore = [] {
        CCalc o;
        LoadStart(o.p);
        return CProgramSnap::Of(o.p);
    }();
    LoadStart(oFile.p);
    bool bEditorTook = false;
    const bool bFileTook = oFile.p.ReadProgram("in.corvel");
    if (bFileTook) {
        FUZZ_CHECK(oFile.p.GetPrgmPointer() == 1, "an accepted listing left the pointer off step 1");
        bEditorTook = CheckAccepted(oFile.p, oFile.fb, false);
    } else {
        FUZZ_CHECK(CProgramSnap::Of(oFile.p) == oBefore, "a refused listing changed the program");
    }

    LoadStart(oEdit.p);
    if (!oEdit.p.AcceptEditText(sText)) {
        FUZZ_CHECK(CProgramSnap::Of(oEdit.p) == oBefore, "a refused editor text changed the program");
    } else if (bFileTook && SameSteps(oFile.p, oEdit.p)) {
        // The program the listing gave, checked above.
        CheckPointers(oEdit.p);
        FUZZ_CHECK(bEditorTook, "the editor refused the text of a program it took");
    } else {
        CheckAccepted(oEdit.p, oEdit.fb, true);
    }
    for (int n = 0; n < 5; ++n) DropRecords(Calc(n).fb);
    return 0;
}
