// CIconListView: the pane that shows every icon of the files in the file list as large pictures,
// under a filter box that keeps the icons matching its words, with Copy, Select All and Save
// Icon As for the selected icons, and Copy Icon Location for the focused one.
#pragma once

#include "BatchSaveDlg.h"
#include "FilterEdit.h"
#include "Framework.h"
#include "IconListCtrl.h"

#include <utility>

class CIconListView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CIconListView)
public:
    CIconListView() : CSingleCtrlView(m_wndList) {}

    CIconListCtrl& GetListCtrl() { return m_wndList; }
    void SetSubIconView(CSubIconView* view) { m_wndList.SetSubIconView(view); }
    CSubIconView* GetSubIconView() const { return m_wndList.GetSubIconView(); }
    void RemoveAll() { m_wndList.RemoveAll(); }
    void SetDpi(int dpi) override;
    // Gives the filter box the focus, its text selected, so that typing replaces it.
    void FocusFilter();
    CFilterEdit& GetFilterBox() { return m_wndFilter; }
    // Where Save Icon As and the batch save remember their folder.
    void SetSaveFolderSetting(SaveFolderSetting setting) {
        m_wndList.SetSaveFolderSetting(std::move(setting));
    }

protected:
    bool CreateControl() override;
    void OnContextMenu(HWND window, POINT at);
    void OnSize(UINT type, int cx, int cy);
    void OnFilterChanged();
    void OnSaveIconAs();
    void OnEditCopy() { m_wndList.CopyFirstSelected(); }
    void OnEditSelectAll() { m_wndList.SelectAll(); }
    void OnUpdateSaveIconAs(CCmdUI* cmdUI);
    void OnUpdateEditCopy(CCmdUI* cmdUI);
    void OnUpdateEditSelectAll(CCmdUI* cmdUI);
    void OnCopyIconLocation();
    void OnUpdateCopyIconLocation(CCmdUI* cmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Places the filter box over the list, the height of a line of its font.
    void Layout(int cx, int cy);

    CIconListCtrl m_wndList;
    CFilterEdit m_wndFilter;
};
