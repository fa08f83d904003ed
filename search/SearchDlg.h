// CSearchDlg: the "Search" page of the left pane, a form on dialog template 134. The user picks
// a folder and the file types and presses Find; a worker walks the folder while the form shows
// the animation, the count and the last path found, and hands the found files to the file list.
#pragma once

#include "Framework.h"
#include "SearchHost.h"
#include "SearchWorker.h"

class CSearchDlg : public CFormView {
    DECLARE_DYNCREATE(CSearchDlg)
public:
    CSearchDlg();

    // Where the start of a search and its found files go (not owned; null: nowhere).
    void SetHost(SearchHost* host) { m_pHost = host; }
    SearchHost* GetHost() const { return m_pHost; }

    // Ends a running search: the worker stops, the files it found so far reach the file list,
    // the controls come back. Nothing happens when no search runs.
    void EndSearch();
    bool IsSearching() const { return m_bSearching; }
    // Puts path into "Look in" (the other choices as the user left them). The search does not
    // start.
    void SetLookInFolder(const char* path);
    // How many searches were left behind since the form was made, their worker stuck past the
    // stop wait.
    int AbandonedRuns() const { return m_worker.AbandonedRuns(); }

    void OnInitialUpdate() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnLookInChanged();
    void OnBrowse();
    void OnAllFilesClicked();
    void OnTypeClicked(UINT id);
    void OnFind();
    void OnStop() { EndSearch(); }
    LRESULT OnSearchFinished(WPARAM run, LPARAM);
    LRESULT OnSearchResults(WPARAM run, LPARAM);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The worker's message comes from the search now running, not from one that has ended.
    bool FromCurrentRun(WPARAM run) const { return m_bSearching && run == m_worker.RunNumber(); }
    // Validates the choices; shows the message that tells what is missing.
    bool ReadyToSearch();
    void Warn(const char* text);
    // Hands every pending path to the file list, oldest first.
    void HandOverResults();
    void HandOverBatch();
    // Enables the controls of a running search or of an idle form.
    void ShowSearching(bool searching);
    void UpdateFindButton();

    CButton m_btnScr, m_btnOcx, m_btnIco, m_btnExe, m_btnDrv, m_btnDll, m_btnCur, m_btnAni;
    CButton m_btnAllFiles;
    CButton m_btnStop, m_btnFind, m_btnBrowse;
    CAnimateCtrl m_animation;

    CString m_strLookIn;
    int m_bAllFiles = 1;
    int m_bDll = 1;
    int m_bDrv = 1;
    int m_bExe = 1;
    int m_bIco = 1;
    int m_bOcx = 1;
    int m_bScr = 1;
    int m_bCur = 1;
    int m_bAni = 1;
    CString m_strCount;
    CString m_strLastFound;
    int m_bIncludeSubFolders = 1;

    SearchHost* m_pHost = nullptr;
    quarvel::search::SearchWorker m_worker;
    bool m_bSearching = false;
    bool m_bWritingControls = false; // an exchange into the controls is under way
    bool m_bHandingOver = false;
    bool m_bTakeAgain = false; // a hand-over was asked for while one was under way
};
