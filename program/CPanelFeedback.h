#pragma once
// What the interpreter needs from the front panel, and nothing more: show X
// and repaint, the blinks, click and beep, the message window, questions
// and file choice for the file instructions, the program label and card
// picture, and the clock. The front panel implements it; tests implement it
// with a recorder. Nothing here waits or runs the host's event loop: the
// host drives a run one slice at a time (CPrgm::RunSlice).
#include <string>
#include <vector>

#include "CListingPlace.h"

namespace corvel {

enum class enmIcon { Information, Question, Critical };

// What the chosen file is for: reading it (a missing file is refused) or
// writing it (a missing file is created empty when the name is confirmed).
enum class enmFileUse { Read, Write };

struct CFileChoice {
    std::string sTyped;  // the file name box as typed or selected
    std::string sFull;   // the file meant: a typed absolute path as it stands, otherwise
                         // the directory shown in the dialog, "/", the name
    std::string sPurpose = "";   // given by the caller: what the file is for ("Read a data file")
    bool bCreated = false;  // the dialog's OK check created the file (FileIO::CCreatedFile)
};

class CPanelFeedback {
public:
    virtual ~CPanelFeedback() = default;

    // Formats X into the display fields and repaints them (out of range:
    // "Error" with the error flag set).
    virtual void ShowX() = 0;
    // Repaints the display fields as they stand, or the whole panel.
    virtual void RepaintDisplay() = 0;
    virtual void RepaintWindow() = 0;
    // The show-X and show-stack functions: they print to the tape and show
    // their blinks through CPrgm::ShowFor; they raise an error when a value
    // cannot be shown.
    virtual void BlinkX() = 0;
    virtual void BlinkStack() = 0;
    virtual void PlayClick() = 0;
    virtual void PlayBeep() = 0;
    // The calculator's own message window, and a standard message box.
    virtual void MsgBox(const std::string& sMsg, const std::string& sTitle) = 0;
    virtual void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon eIcon) = 0;
    // A refused listing or editor text: its message, in the message window
    // (bOwnWindow) or as a critical notice, and the lines it points at (the
    // first one is the one a note names); none when it points at no line.
    virtual void ListingError(const std::string& sTitle, const std::string& sMsg, bool bOwnWindow,
                              const std::vector<CListingPlace>& vPlaces) {
        (void)vPlaces;
        if (bOwnWindow)
            MsgBox(sMsg, sTitle);
        else
            ShowNotice(sTitle, sMsg, enmIcon::Critical);
    }
    virtual bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon eIcon) = 0;
    // The file selection dialog with an initial name or pattern; false on Cancel.
    virtual bool ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& oChoice) = 0;
    // The memory block viewer for a register range code (raises for a bad code).
    virtual void ShowMemBlock(double& fRange) = 0;
    // The program label (lblPrgm) and the card picture (imgCard).
    virtual void SetProgramLabel(const std::string& sText) = 0;
    virtual void SetCardVisible(bool bVisible) = 0;
    // A run starts or ends: the busy pointer and a repaint of the panel.
    virtual void SetRunning(bool bRunning) = 0;
    // With tracing on (CPrgm::bTrace), each step as the program line shows
    // it ("012 STO+ A"), just before it runs.
    virtual void TraceStep(const std::string& sLine) = 0;
    // Wall clock in seconds.
    virtual double ClockSeconds() = 0;
};

} // namespace corvel
