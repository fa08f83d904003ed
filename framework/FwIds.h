// The framework's standard command, string and window ids (the numbers every resource script of an
// application on this framework uses). Spelled exactly as the application's resource header spells
// them, so including both is harmless.
#pragma once

#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 57344
#endif
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 57345
#endif
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 57600
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN 57601
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 57603
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 57665
#endif
#ifndef ID_NEXT_PANE
#define ID_NEXT_PANE 57680
#endif
#ifndef ID_PREV_PANE
#define ID_PREV_PANE 57681
#endif
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#ifndef ID_INDICATOR_CAPS
#define ID_INDICATOR_CAPS 59137
#endif
#ifndef ID_INDICATOR_NUM
#define ID_INDICATOR_NUM 59138
#endif
#ifndef ID_INDICATOR_SCRL
#define ID_INDICATOR_SCRL 59139
#endif
#ifndef AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR 59392
#endif
#ifndef AFX_IDW_STATUS_BAR
#define AFX_IDW_STATUS_BAR 59393
#endif
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR AFX_IDW_TOOLBAR
#endif
#ifndef ID_VIEW_STATUS_BAR
#define ID_VIEW_STATUS_BAR AFX_IDW_STATUS_BAR
#endif
#ifndef AFX_IDW_PANE_FIRST
#define AFX_IDW_PANE_FIRST 59648
#endif
// The last id a static splitter gives its panes (16 rows of 16 columns).
#define AFX_IDW_PANE_LAST (AFX_IDW_PANE_FIRST + 0xFF)
