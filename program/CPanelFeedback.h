#pragma once
// What the interpreter needs from the world outside it, by one route each:
// CHostServices, the host's own services it uses as they are (sounds, the
// clock, repaints, the standard boxes, file choice), and CPanelFeedback,
// what the front panel adds (show X, the blinks, the message window, the
// viewers, the program label and card picture, the busy pointer, the tape).
// The host (panel/CHost.h) is a CHostServices; the front panel is the
// CPanelFeedback and hands its host over (Host). Tests implement both with
// one recorder. Nothing here waits or runs the host's event loop: the host
// drives a run one slice at a time (CPrgm::RunSlice).
#include <functional>
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

enum class enmSound { Click, Beep };
// Which part of the front panel changed and needs repainting.
enum class enmPart { Disp, Title, Card, PrgmLabel, Cursor, Window, Note };

class CHostServices {
public:
    virtual ~CHostServices() = default;

    // Plays the sound to its end; a failure to play is silent and immediate.
    virtual void PlaySound(enmSound eSound) = 0;
    // Wall clock in seconds (since the epoch). Batch and test hosts simulate it.
    virtual double ClockSeconds() = 0;
    // A part of the front panel changed; repaint it now.
    virtual void Refresh(enmPart ePart) = 0;
    // Standard message boxes.
    virtual bool AskYesNo(const std::string& sTitle, const std::string& sText, enmIcon eIcon) = 0;
    virtual void ShowNotice(const std::string& sTitle, const std::string& sText, enmIcon eIcon) = 0;
    // The file selection dialog, modal, with an initial name or pattern; false
    // on Cancel. OK is refused ("Please select a file") for a name that
    // FileIO::CheckChoice refuses for eUse.
    virtual bool ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& oChoice) = 0;
};

class CPanelFeedback {
public:
    virtual ~CPanelFeedback() = default;

    // The host, for its services.
    virtual CHostServices& Host() = 0;

    // Formats X into the display fields and repaints them (out of range:
    // "Error" with the error flag set).
    virtual void ShowX() = 0;
    // The show-X and show-stack functions: they print to the tape and show
    // their blinks through CPrgm::ShowFor; they raise an error when a value
    // cannot be shown. fnAfter runs once the blink is over.
    virtual void BlinkX(std::function<void()> fnAfter) = 0;
    virtual void BlinkStack() = 0;
    // The calculator's own message window.
    virtual void MsgBox(const std::string& sMsg, const std::string& sTitle) = 0;
    // A refused listing or editor text: its message, in the message window
    // (bOwnWindow) or as a critical notice, and the lines it points at (the
    // first one is the one a note names); none when it points at no line.
    virtual void ListingError(const std::string& sTitle, const std::string& sMsg, bool bOwnWindow,
                              const std::vector<CListingPlace>& vPlaces) {
        (void)vPlaces;
        if (bOwnWindow)
            MsgBox(sMsg, sTitle);
        else
            Host().ShowNotice(sTitle, sMsg, enmIcon::Critical);
    }
    // The register viewer (REG), and the memory block viewer for a register
    // range code (REGX; raises for a bad code).
    virtual void ShowMemViewer() = 0;
    virtual void ShowMemBlock(double& fRange) = 0;
    // The program label (lblPrgm) and the card picture (imgCard).
    virtual void SetProgramLabel(const std::string& sText) = 0;
    virtual void SetCardVisible(bool bVisible) = 0;
    // A run starts or ends: the busy pointer and a repaint of the panel.
    virtual void SetRunning(bool bRunning) = 0;
    // With tracing on (CPrgm::bTrace), each step as the program line shows
    // it ("012 STO+ A"), just before it runs.
    virtual void TraceStep(const std::string& sLine) = 0;
};

} // namespace corvel
