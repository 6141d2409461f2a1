#pragma once
// The one door from the calculator core to the outside world. The Qt window,
// the batch front-end and the tests each implement it; the core never plays,
// sleeps, prints or opens a dialog any other way.
#include <functional>
#include <string>
#include <vector>

#include "../program/CPanelFeedback.h"

namespace corvel {

class CFrontPanel;

// The services the interpreter uses as they are (sounds, the clock, repaints,
// the standard boxes, file choice) are declared with it, in CHostServices.
class CHost : public CHostServices {
public:
    // The front panel has work under way (a run, a single or back step, a
    // timed display): call CFrontPanel::RunSlice soon, and again for as long
    // as CFrontPanel::Busy() holds - at once after a Running slice, at its
    // fWakeAt after a Waiting one (a simulated clock jumps there). Never call
    // RunSlice from inside RunSlice: a host whose dialogs run a nested event
    // loop keeps its slice timer stopped while a slice is under way.
    virtual void ScheduleRun(CFrontPanel& oPanel) = 0;

    // The calculator's own message window (OK button, modal).
    virtual void ShowMsg(const std::string& sText, const std::string& sTitle) = 0;
    // The same window with a "Details" area below the text (the lines of a
    // listing a message points at) and the given icon. A host without such
    // an area shows the text alone.
    virtual void ShowMsgDetails(const std::string& sText, const std::string& sTitle, const std::string& sDetails,
                                enmIcon eIcon) {
        (void)sDetails;
        (void)eIcon;
        ShowMsg(sText, sTitle);
    }
    // Input box with prompt, title and default answer; false on Cancel.
    virtual bool InputBox(const std::string& sPrompt, const std::string& sTitle,
                          const std::string& sDefault, std::string& sAnswer) = 0;
    // The source editor, modal, showing sText. Its Close button hands the
    // edited text to fnClose, which returns true when the text was accepted
    // (the editor then closes) and false to keep it open; the close box (or
    // Escape) closes it without handing anything over.
    virtual void ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) = 0;

    // The register viewer: one line per labelled register, modal.
    virtual void ShowRegisters(const std::vector<std::string>& vLines) = 0;
    // The memory block viewer, modal; fnFill gives the list for the state of
    // its "Show Only Non-Zero Values" box.
    virtual void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) = 0;
    // The about box.
    virtual void ShowAbout() = 0;
    // Ends the program (the window closes and the process exits).
    virtual void ExitProgram() = 0;

    // ---- keeping the user's work ----
    // Whether a restore by Cancel (the default state file) over changed work
    // asks first. The window does; the batch keeps its answers as they were.
    virtual bool AsksBeforeDefaultRestore() const { return false; }
};

} // namespace corvel
