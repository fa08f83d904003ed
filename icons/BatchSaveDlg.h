// CBatchSaveDlg: the "Save..." dialog that saves a batch of files into one folder, one file per
// posted WM_SAVE_NEXT, with progress, a log, Stop, and the folder remembered between runs. It
// closes by itself when every file was saved; a batch that left files unsaved stays open, says
// how many, and runs again only into another folder or format. It knows nothing of what it
// saves: a subclass fills in BeginSave, SaveNext and EndSave.
#pragma once

#include "Framework.h"
#include "SaveFolderSetting.h"

// Posted by the dialog to itself (wParam and lParam 0): save the next file.
constexpr UINT WM_SAVE_NEXT = WM_USER + 5;

class CBatchSaveDlg : public CDialog {
public:
    enum Format { kIcoFormat = 0, kBmpFormat = 1, kPngFormat = 2 };
    // Entries the log holds before it starts afresh.
    static constexpr int kMaxLogEntries = 400;

    CBatchSaveDlg(SaveFolderSetting setting, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    const CString& GetFolder() const { return m_strFolder; }
    int GetFormat() const { return m_nFormat; }
    int GetTotal() const { return m_nTotal; }
    int GetDone() const { return m_nDone; }

protected:
    // Called once when a batch starts (again after a batch that left files unsaved).
    virtual void BeginSave(const CString& folder) { (void)folder; }
    // Saves the next file; gives back its full path and answers nonzero on success.
    virtual int SaveNext(const CString& folder, CString& fileName) {
        (void)folder;
        (void)fileName;
        return 0;
    }
    // Called once when the batch ends: done, stopped, or the dialog closed while it ran.
    virtual void EndSave(const CString& folder) { (void)folder; }
    // A line that ends the log of every batch that ran to its end; none when empty.
    virtual CString LastLogLine() const { return CString(); }

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;     // Save Now
    void OnCancel() override; // Exit, Esc
    void OnClose();
    void OnTimer(UINT_PTR id);
    void OnStop();
    void OnBrowse();
    void OnTargetChanged();
    LRESULT OnSaveNext(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    int m_nTotal = 0; // files in the batch; the subclass sets it before OnInitDialog

private:
    // Finished: every file saved, the dialog closes. Incomplete: ended with files not saved.
    enum class State { Ready, Running, Stopped, Finished, Incomplete };

    // The format button that is checked.
    int CheckedFormat() const;
    // Whether the folder box or the format differs from those of the batch that ran.
    bool TargetChanged() const;
    // Makes sure the folder exists, offering to create it with every missing folder above it;
    // false when the batch cannot start.
    bool PrepareFolder();
    void StartBatch();
    // Ends a batch whose every file was tried: closes the dialog, or keeps it open to tell
    // what was not saved.
    void FinishBatch();
    void PostNext();
    // Posts the next file's message, or lets waiting input go first.
    void ScheduleNext();
    // Adds a line to the log's queue; the 401st entry starts the log afresh.
    void QueueLogLine(const CString& line);
    // Shows the queued log lines and the count (of files tried, or the one given), and paints
    // them now.
    void ShowProgress(int count = -1);
    // Stops a running batch before its next file.
    void StopBatch();
    // Enables or disables a button; a button that loses its enabled state hands the focus on.
    void EnableButton(int id, bool enable);

    SaveFolderSetting m_setting;
    CString m_strFolder;
    CString m_strProgress;
    int m_nDone = 0;             // files tried in this batch
    int m_nSaved = 0;            // files saved in this batch
    int m_nLogEntries = 0;       // entries in the log, shown or queued
    CString m_strLogQueue;       // lines not yet shown
    bool m_bLogRestarts = false; // the queue replaces the log's text
    DWORD m_dwShownAt = 0;
    bool m_bStopRequested = false;
    int m_nFormat = kIcoFormat;
    State m_state = State::Ready;
    // One WM_SAVE_NEXT of ours is in the queue: a message posted by anyone else saves nothing.
    bool m_bNextPosted = false;
    CEdit m_log;
    CProgressCtrl m_progress;
};
