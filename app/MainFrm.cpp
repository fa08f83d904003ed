// CMainFrame: creation of the bars and panes and their links, navigation and help commands.
#include "MainFrm.h"

#include "HtmlHelp.h"
#include "Settings.h"
#include "engine/platform/AnsiText.h"
#include "resource.h"

#include <initializer_list>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_BACK, OnBack)
    ON_COMMAND(ID_VIEW_FORWARD, OnForward)
    ON_COMMAND(ID_VIEW_UP, OnUp)
    ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
    ON_UPDATE_COMMAND_UI(ID_VIEW_BACK, OnUpdateBack)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FORWARD, OnUpdateForward)
    ON_UPDATE_COMMAND_UI(ID_VIEW_UP, OnUpdateUp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REFRESH, OnUpdateRefresh)
    ON_COMMAND(ID_HELP_FINDER, OnHelpContents)
    ON_COMMAND_RANGE(ID_VIEW_ICON_SIZE_SMALL, ID_VIEW_ICON_SIZE_JUMBO, OnIconSize)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_ICON_SIZE_SMALL, ID_VIEW_ICON_SIZE_JUMBO, OnUpdateIconSize)
    ON_COMMAND(ID_VIEW_ICON_SIZE_LARGER, OnIconSizeLarger)
    ON_COMMAND(ID_VIEW_ICON_SIZE_SMALLER, OnIconSizeSmaller)
    ON_COMMAND(ID_EDIT_FIND_ICON, OnFindIcon)
    ON_COMMAND_RANGE(ID_VIEW_SORT_ICONS_FILE, ID_VIEW_SORT_ICONS_LARGEST, OnSortIcons)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_SORT_ICONS_FILE, ID_VIEW_SORT_ICONS_LARGEST,
                               OnUpdateSortIcons)
    ON_COMMAND(ID_VIEW_HIDE_DUPLICATES, OnHideDuplicates)
    ON_UPDATE_COMMAND_UI(ID_VIEW_HIDE_DUPLICATES, OnUpdateHideDuplicates)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
constexpr COLORREF kToolbarTransparent = RGB(255, 0, 255);
constexpr int kToolbarImages = 13;
constexpr int kToolbarImageSide = 16; // at 96 DPI
// A button's margin around its image, at 96 DPI.
constexpr SIZE kToolbarButtonMargin = {7, 6};
const SizedPicture kToolbarStrips[] = {
    {16, IDB_TOOLBAR}, {20, IDB_TOOLBAR_20}, {24, IDB_TOOLBAR_24}, {32, IDB_TOOLBAR_32}};
} // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
    SetTitle("C:\\");
    // The panes, made inside the base class's creation, take their sizes from it.
    m_nDpi = AfxGetWindowDpi(m_hWnd);
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;

    LoadToolbarPictures();

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return -1;
    m_wndStatusBar.SetFont(AfxGetMessageFont(m_nDpi), FALSE);
    if (!m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return -1;
    SetMessageText(AFX_IDS_IDLEMESSAGE);

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
    if (!m_wndSplitter.CreateStatic(this, 1, 2) ||
        !m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CBrowser), SIZE{Scaled(kLeftPaneWidth), 0},
                                  context))
        return FALSE;
    m_pBrowser = DYNAMIC_DOWNCAST(CBrowser, m_wndSplitter.GetPane(0, 0));
    if (m_pBrowser) {
        m_pFolderTree =
            DYNAMIC_DOWNCAST(CFileTreeView, m_pBrowser->GetTabWindow(CBrowser::kFolderPage));
        m_pSearchForm =
            DYNAMIC_DOWNCAST(CSearchDlg, m_pBrowser->GetTabWindow(CBrowser::kSearchPage));
    }

    if (!m_wndRightSplitter.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE,
                                         m_wndSplitter.IdFromRowCol(0, 1)) ||
        !m_wndRightSplitter.CreateView(0, 0, RUNTIME_CLASS(CFileListView),
                                       SIZE{0, Scaled(kFileListHeight)}, context))
        return FALSE;
    if (!m_wndBottomSplitter.CreateStatic(&m_wndRightSplitter, 1, 2, WS_CHILD | WS_VISIBLE,
                                          m_wndRightSplitter.IdFromRowCol(1, 0)) ||
        !m_wndBottomSplitter.CreateView(0, 0, RUNTIME_CLASS(CIconListView), SIZE{0, 0}, context) ||
        !m_wndBottomSplitter.CreateView(0, 1, RUNTIME_CLASS(CSubIconView),
                                        SIZE{Scaled(kSubIconPaneWidth), 0}, context))
        return FALSE;
    m_wndBottomSplitter.SetColumnInfo(1, Scaled(kSubIconPaneWidth), 0);
    m_pFileList = DYNAMIC_DOWNCAST(CFileListView, m_wndRightSplitter.GetPane(0, 0));
    m_pIconList = DYNAMIC_DOWNCAST(CIconListView, m_wndBottomSplitter.GetPane(0, 0));
    m_pSubIconView = DYNAMIC_DOWNCAST(CSubIconView, m_wndBottomSplitter.GetPane(0, 1));
    if (!m_pFileList || !m_pIconList || !m_pSubIconView)
        return FALSE;

    m_pIconList->SetSubIconView(m_pSubIconView);
    m_pFileList->SetIconReceiver(&m_pIconList->GetListCtrl());
    const SaveFolderSetting saveFolder{LoadSaveFolder, StoreSaveFolder, LoadRememberedSaveFolder};
    m_pIconList->SetSaveFolderSetting(saveFolder);
    m_pSubIconView->SetSaveFolderSetting(saveFolder);
    m_nIconSize = LoadIconSize();
    m_pIconList->GetListCtrl().SetIconSize(m_nIconSize);
    SetUpIconFinding();
    // The current listing reaches the panes through the frame; the panes ask it.
    m_listing.SetHost(this);
    if (m_pFolderTree) {
        m_listing.SetFolderTree(&m_pFolderTree->GetTreeCtrl());
        m_pFolderTree->SetListing(&m_listing);
    }
    m_pFileList->SetListing(&m_listing);
    if (m_pSearchForm)
        m_pSearchForm->SetHost(&m_searchHost);
    if (m_pBrowser)
        m_pBrowser->SelectTabOfClass(RUNTIME_CLASS(CFileTreeView));
    SetPanesDpi();
    return TRUE;
}

void CMainFrame::SizeIconPanes(int subIconPaneWidth) {
    if (subIconPaneWidth == 0)
        subIconPaneWidth = Scaled(kSubIconPaneWidth);
    RECT client;
    m_wndBottomSplitter.GetClientRect(&client);
    // The bar between the two columns comes out of the icon list, so the image pane is exactly
    // its width.
    int iconListWidth = client.right - subIconPaneWidth - m_wndBottomSplitter.GetBarSize();
    m_wndBottomSplitter.SetColumnInfo(0, iconListWidth, 0);
    m_wndBottomSplitter.SetColumnInfo(1, subIconPaneWidth, 0);
    m_wndBottomSplitter.RecalcLayout();
}

// ---- DPI

void CMainFrame::LoadToolbarPictures() {
    const SizedPicture& strip = AfxChoosePictureSize(kToolbarStrips, Scaled(kToolbarImageSide));
    CImageList images;
    if (!images.Create(strip.side, strip.side, ILC_COLORDDB | ILC_MASK, kToolbarImages, 1))
        return;
    const ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(
        AfxGetResourceHandle(), MAKEINTRESOURCEA(strip.resourceId), IMAGE_BITMAP, 0, 0, 0)));
    if (bitmap)
        images.Add(bitmap.Get(), kToolbarTransparent);
    // The bar lets go of the old list before it is destroyed.
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.GetSafeHandle()));
    m_toolbarImages.DeleteImageList();
    m_toolbarImages.Attach(images.Detach());
    m_wndToolBar.SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(strip.side, strip.side));
    m_wndToolBar.SendMessage(TB_SETBUTTONSIZE, 0,
                             MAKELONG(strip.side + Scaled(kToolbarButtonMargin.cx),
                                      strip.side + Scaled(kToolbarButtonMargin.cy)));
    m_wndToolBar.SetGripperSize(Scaled(CToolBar::kGripperSize));
}

void CMainFrame::SetPanesDpi() {
    if (m_pBrowser)
        m_pBrowser->SetDpi(m_nDpi);
    for (CSingleCtrlView* pane : std::initializer_list<CSingleCtrlView*>{
             m_pFolderTree, m_pFileList, m_pIconList, m_pSubIconView})
        if (pane)
            pane->SetDpi(m_nDpi);
    for (CSplitterWnd* splitter : {&m_wndSplitter, &m_wndRightSplitter, &m_wndBottomSplitter})
        splitter->SetBarSize(Scaled(CSplitterWnd::kBarSize));
}

LRESULT CMainFrame::OnDpiChanged(WPARAM dpis, LPARAM suggestedRect) {
    const int from = m_nDpi;
    const int to = HIWORD(dpis);
    if (to <= 0 || to == from)
        return 0;
    // The panes keep their share of the window, including sizes the user dragged.
    int leftWidth = 0, fileListHeight = 0, minimum = 0;
    m_wndSplitter.GetColumnInfo(0, leftWidth, minimum);
    m_wndRightSplitter.GetRowInfo(0, fileListHeight, minimum);
    RECT subIconPane{};
    if (m_pSubIconView)
        m_pSubIconView->GetWindowRect(&subIconPane);
    m_nDpi = to;

    const RECT* rect = reinterpret_cast<const RECT*>(suggestedRect);
    if (rect)
        SetWindowPos(nullptr, rect->left, rect->top, rect->right - rect->left,
                     rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
    LoadToolbarPictures();
    SetPanesDpi();
    // The indicators are measured in the new font; the message shown stays.
    const CString message = m_wndStatusBar.GetPaneText(0);
    m_wndStatusBar.SetFont(AfxGetMessageFont(m_nDpi), FALSE);
    m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]);
    m_wndStatusBar.SetPaneText(0, message);
    m_wndSplitter.SetColumnInfo(0, MulDiv(leftWidth, to, from), 0);
    m_wndRightSplitter.SetRowInfo(0, MulDiv(fileListHeight, to, from), 0);
    RecalcLayout();
    m_wndSplitter.RecalcLayout();
    m_wndRightSplitter.RecalcLayout();
    SizeIconPanes(MulDiv(subIconPane.right - subIconPane.left, to, from));
    return 0;
}

// ---- Navigation

CFileTreeView* CMainFrame::ShownFolderTree() const {
    if (!m_pBrowser || !m_pFolderTree)
        return nullptr;
    return m_pBrowser->GetCurrentView() == m_pFolderTree ? m_pFolderTree : nullptr;
}

void CMainFrame::OnBack() {
    m_listing.GoBack();
}

void CMainFrame::OnForward() {
    m_listing.GoForward();
}

void CMainFrame::OnUp() {
    m_listing.GoUp();
}

void CMainFrame::OnRefresh() {
    m_listing.Refresh();
}

void CMainFrame::OnUpdateBack(CCmdUI* cmdUI) {
    CFileTreeView* tree = ShownFolderTree();
    cmdUI->Enable(tree && tree->CanGoBack());
}

void CMainFrame::OnUpdateForward(CCmdUI* cmdUI) {
    CFileTreeView* tree = ShownFolderTree();
    cmdUI->Enable(tree && tree->CanGoForward());
}

void CMainFrame::OnUpdateUp(CCmdUI* cmdUI) {
    CFileTreeView* tree = ShownFolderTree();
    cmdUI->Enable(tree && tree->CanGoUp());
}

void CMainFrame::OnUpdateRefresh(CCmdUI* cmdUI) {
    CFileTreeView* tree = ShownFolderTree();
    cmdUI->Enable(tree && tree->CanRefresh());
}

// ---- Icon size

namespace {
static_assert(ID_VIEW_ICON_SIZE_JUMBO - ID_VIEW_ICON_SIZE_SMALL + 1 == quarvel::kIconSizeCount,
              "one command per icon size");
int IconSizeOfCommand(UINT command) {
    return quarvel::kIconSizes[command - ID_VIEW_ICON_SIZE_SMALL];
}
} // namespace

void CMainFrame::ShowIconSize(int size) {
    if (size == m_nIconSize)
        return;
    m_nIconSize = size;
    if (m_pIconList)
        m_pIconList->GetListCtrl().SetIconSize(size);
    StoreIconSize(size);
}

void CMainFrame::OnIconSize(UINT command) {
    ShowIconSize(IconSizeOfCommand(command));
}

void CMainFrame::OnUpdateIconSize(CCmdUI* cmdUI) {
    cmdUI->SetRadio(IconSizeOfCommand(cmdUI->m_nID) == m_nIconSize);
}

void CMainFrame::OnIconSizeLarger() {
    ShowIconSize(quarvel::StepIconSize(m_nIconSize, 1));
}

void CMainFrame::OnIconSizeSmaller() {
    ShowIconSize(quarvel::StepIconSize(m_nIconSize, -1));
}

// ---- Help

void CMainFrame::OnHelpContents() {
    // Wide: the program's folder can take more than MAX_PATH bytes of UTF-8.
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    ShowHelpContents(HelpFileBeside(quarvel::platform::NarrowFromWide(program).c_str()));
}
