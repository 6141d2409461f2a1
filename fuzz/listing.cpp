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
#include "common/FakeFeedback.h"

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

struct CCalc {
    CMachine m;
    CFakeFeedback fb{m};
    CPrgm p{m, fb};
};

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The last step that is not the filler "R/S" (0 for none): the passes over
// a program stop there.
int End(const CPrgm& p) {
    int n = CPrgm::kMaxSteps;
    while (n > 0 && p.GetLine(n) == "R/S") --n;
    return n;
}

// bAnyCase: the editor writes a step in capitals unless a label's case counts.
void CheckSameSteps(const CPrgm& a, const CPrgm& b, const char* sWhat, bool bAnyCase = false) {
    const int nEnd = std::max(End(a), End(b));
    for (int n = 1; n <= nEnd; ++n)
        FUZZ_CHECK(bAnyCase ? Upper(a.GetLine(n)) == Upper(b.GetLine(n)) : a.GetLine(n) == b.GetLine(n), sWhat);
}

// A step a listing cannot carry: its first "#" follows a blank, so it reads
// as the start of a comment (the editor takes such a step).
bool HasComment(const CPrgm& p) {
    for (int n = 1, nEnd = End(p); n <= nEnd; ++n) {
        const std::string& s = p.GetLine(n);
        const size_t k = s.find('#');
        if (k != std::string::npos && k > 0 && s[k - 1] == ' ') return true;
    }
    return false;
}

// Whether the editor's text carries every step as it is: the editor takes a
// line as the listing reader does, so a step whose first word is a number
// followed by more ("5 STO A", from "001 5 STO A") comes back without it.
bool EditorCarries(const CPrgm& p) {
    for (int n = 1; n <= CPrgm::kMaxSteps; ++n) {
        const std::string& s = p.GetLine(n);
        const CPrgm::CLineParts o = CPrgm::SplitListingLine(s);
        if (o.nCode != 0 || o.nCodeEnd != s.size() || o.nComment != std::string::npos) return false;
    }
    return true;
}

// The calculators the checks read programs back into, made once: a read that
// is checked replaces all of a program.
CCalc& Spare(int n) {
    static CCalc a[3];
    a[n].fb.vMessages.clear();
    return a[n];
}

// An accepted program: known steps only, and it survives a listing with step
// numbers and the editor unchanged. (A listing without step numbers cannot
// carry a step whose first word is a number: the reader takes it for a step
// number; its writer is the same loop.) The editor may refuse
// a program from a listing: it writes "gto" as "GTO", whose label the label
// check then looks for.
void CheckAccepted(CPrgm& p, CFakeFeedback& fb, bool bFromEditor) {
    FUZZ_CHECK(p.CheckTokens().empty(), "an accepted program holds an unknown step");
    CheckPointers(p);
    fb.vYesNo = {true};
    FUZZ_CHECK(p.WriteProgram("out.corvel"), "a listing could not be written");
    CCalc& o0 = Spare(0);
    const bool bRead = o0.p.ReadProgram("out.corvel");
    if (!HasComment(p)) {
        FUZZ_CHECK(bRead, "a listing written could not be read back");
        CheckSameSteps(p, o0.p, "a listing written and read back differs");
    }
    if (!EditorCarries(p)) return;
    CCalc &o = Spare(1), &o2 = Spare(2);
    const bool bTaken = o.p.AcceptEditText(p.EditText());
    FUZZ_CHECK(bTaken || !bFromEditor, "the editor refused the text of a program it took");
    if (!bTaken) return;
    CheckSameSteps(p, o.p, "the editor's text taken back differs", true);
    FUZZ_CHECK(o2.p.AcceptEditText(o.p.EditText()), "the editor's text of a program was refused");
    CheckSameSteps(o.p, o2.p, "the editor's text taken back twice differs");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    const std::string sText(reinterpret_cast<const char*>(pData), nSize);
    WriteFile("in.corvel", sText);

    static CCalc oFile, oEdit;   // each loaded afresh below
    oFile.fb.vMessages.clear();
    oEdit.fb.vMessages.clear();
    LoadStart(oFile.p);
    const CProgramSnap oBefore = CProgramSnap::Of(oFile.p);
    if (oFile.p.ReadProgram("in.corvel")) {
        FUZZ_CHECK(oFile.p.GetPrgmPointer() == 1, "an accepted listing left the pointer off step 1");
        CheckAccepted(oFile.p, oFile.fb, false);
    } else {
        FUZZ_CHECK(CProgramSnap::Of(oFile.p) == oBefore, "a refused listing changed the program");
    }

    LoadStart(oEdit.p);
    if (oEdit.p.AcceptEditText(sText))
        CheckAccepted(oEdit.p, oEdit.fb, true);
    else
        FUZZ_CHECK(CProgramSnap::Of(oEdit.p) == oBefore, "a refused editor text changed the program");
    return 0;
}
