#pragma once
// The Qt implementation of the core's host interface: sounds, clock, waits,
// repaints of the front panel, message boxes and the auxiliary windows.
#include <QPointer>
#include <QTimer>

#include <cstdint>

#include "../panel/CHost.h"
#include "CSoundPlayer.h"

class CPanelWindow;
class MyMsgBox;
class ViewMemReg;
class frmRegX;
class dlgFile;
class frmEdit;
class QWidget;

class CQtHost : public corvel::CHost {
public:
    CQtHost();
    ~CQtHost() override;
    CQtHost(const CQtHost&) = delete;
    CQtHost& operator=(const CQtHost&) = delete;

    // The window that draws the front panel; dialogs are centred on it.
    void SetPanel(CPanelWindow* pPanel);
    CPanelWindow* Panel() const { return pPanel_; }

    void PlaySound(corvel::enmSound eSound) override;
    double ClockSeconds() override;
    void ScheduleRun(corvel::CFrontPanel& oPanel) override;
    void Refresh(corvel::enmPart ePart) override;

    bool AskYesNo(const std::string& sTitle, const std::string& sText, corvel::enmIcon eIcon) override;
    void ShowNotice(const std::string& sTitle, const std::string& sText, corvel::enmIcon eIcon) override;
    void ShowMsg(const std::string& sText, const std::string& sTitle) override;
    void ShowMsgDetails(const std::string& sText, const std::string& sTitle, const std::string& sDetails,
                        corvel::enmIcon eIcon) override;
    bool InputBox(const std::string& sPrompt, const std::string& sTitle, const std::string& sDefault,
                  std::string& sAnswer) override;
    bool ChooseFile(const std::string& sInitial, corvel::enmFileUse eUse, corvel::CFileChoice& oChoice) override;
    void ShowEditor(const std::string& sText, const std::function<bool(const std::string&)>& fnClose) override;
    void ShowRegisters(const std::vector<std::string>& vLines) override;
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>& fnFill) override;
    void ShowAbout() override;
    void ExitProgram() override;
    bool AsksBeforeDefaultRestore() const override { return true; }

    CSoundPlayer& Sound() { return oSound_; }
    // Slices run so far, and the step budget of the next one.
    long Slices() const { return nSlices_; }
    uint64_t SliceSteps() const { return nSliceSteps_; }

    // The windows, created on first use.
    MyMsgBox& MsgBoxWindow();
    ViewMemReg& RegistersWindow();
    frmRegX& MemBlockWindow();
    dlgFile& FileWindow();
    frmEdit& EditorWindow();

    // The program's own notice for the about box.
    static QString AboutText();

protected:
    // How long from now until the clock reads fWhen, in whole milliseconds
    // (a host with a simulated clock moves it there and answers 0).
    virtual int MsUntil(double fWhen);

private:
    QWidget* DialogParent() const;
    // Puts a new window beside the panel when the screen
    // has room for both, so the calculator stays in view.
    void PlaceBesidePanel(QWidget* pWindow) const;
    // Centres a message box on the panel.
    void CentreOnPanel(QWidget* pBox) const;
    // The window p holds, made on first use (beside the panel) and kept for
    // the whole run, so each remembers its place and state.
    template <class TWindow>
    TWindow& Made(QPointer<TWindow>& p) {
        if (!p) {
            p = new TWindow(DialogParent());
            PlaceBesidePanel(p);
        }
        return *p;
    }

    CPanelWindow* pPanel_ = nullptr;
    CSoundPlayer oSound_;
    // One slice of the run on the timer, then the timer again as it asks.
    void RunOneSlice();
    QTimer oRunTimer_;
    corvel::CFrontPanel* pMain_ = nullptr;
    bool bInSlice_ = false;
    uint64_t nSliceSteps_ = 1024;
    long nSlices_ = 0;
    QPointer<MyMsgBox> pMsgBox_;
    QPointer<ViewMemReg> pViewMemReg_;
    QPointer<frmRegX> pRegX_;
    QPointer<dlgFile> pFile_;
    QPointer<frmEdit> pEdit_;
};
