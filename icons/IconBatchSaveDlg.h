// CIconBatchSaveDlg: the batch save of the icons selected in the icon list, as .ico, .bmp or .png
// files named after their sources, asking before an existing file is replaced. It saves what
// the list shows: the duplicates it hides are left out, and counted at the end of the log.
#pragma once

#include "BatchSaveDlg.h"

class CIconListCtrl;

class CIconBatchSaveDlg : public CBatchSaveDlg {
public:
    // The list must outlive the dialog; its selection is read when the dialog opens.
    CIconBatchSaveDlg(CIconListCtrl& list, SaveFolderSetting setting, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void BeginSave(const CString& folder) override;
    int SaveNext(const CString& folder, CString& fileName) override;
    // "N duplicate icons left out" when the list hides the selected icons' duplicates.
    CString LastLogLine() const override;

private:
    // Whether the file at path may be replaced, asking the user unless an answer for the whole
    // batch was given.
    bool MayOverwrite(const CString& path);

    CIconListCtrl& m_list;
    bool m_bOverwriteAll = false;
    bool m_bSkipAll = false;
    int m_nNextPosition = 0; // one more than the index of the next item to save; 0 for none
    int m_nDuplicates = 0;   // hidden duplicates of the selected icons, not saved
};
