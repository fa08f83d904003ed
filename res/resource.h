// Resource ids of Quarvel: menus, dialogs and their controls, pictures, strings and commands.
// Plain numbers only, so both the resource compiler and C++ code of either build can include it.
#ifndef QUARVEL_RES_RESOURCE_H
#define QUARVEL_RES_RESOURCE_H

// Static controls nobody addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- Resources shared by the main window: menu, accelerators, toolbar (and its bitmap of the
// eight button images), icon, document template string
#define IDR_MAINFRAME 128

// ---- Context menus (each holds one popup)
#define IDR_FOLDER_POPUP 114 // "_POPUP_": Open, Properties, Search, Copy Path, Dos command prompt
#define IDR_ICON_POPUP 177   // "ONRCLICK": Copy to Clipboard, Select All, Save Icon As

// ---- Pictures
// Strip of 16x16 images, 8 bits per pixel, magenta transparent, in this order: back, forward, up,
// refresh, copy, save, help contents, about (the eight toolbar buttons), then open, properties,
// search, copy path, command prompt.
#define IDB_TOOLBAR 131
// Four 16x16 images, magenta transparent: domain, network resource, entire network, server.
#define IDB_NETWORK 140
// Two 16x16 images, 16 colours, light grey transparent: the "Folder" and "Search" tabs.
#define IDB_TAB_IMAGES 180
// The same strips drawn for high-DPI displays, their images 20, 24 and 32 pixels square.
#define IDB_TOOLBAR_20 300
#define IDB_TOOLBAR_24 301
#define IDB_TOOLBAR_32 302
#define IDB_NETWORK_20 303
#define IDB_NETWORK_24 304
#define IDB_NETWORK_32 305
#define IDB_TAB_IMAGES_20 306
#define IDB_TAB_IMAGES_24 307
#define IDB_TAB_IMAGES_32 308
#define IDI_BATCH_SAVE 186 // icon of the "Save..." dialog
#define IDR_SEARCH_AVI 135 // looping clip of the search form's animation control ("AVI" type)

// ---- Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_SEARCH_FORM 134
#define IDD_BATCH_SAVE 183
#define IDD_OVERWRITE 184

// About box
#define IDC_ABOUT_ICON 1016
#define IDC_WEB_LINK 1017
#define IDC_EMAIL_LINK 1018

// Search form
#define IDC_LOOK_IN 1000
#define IDC_ALL_FILES 1001
#define IDC_TYPE_EXE 1002
#define IDC_TYPE_DLL 1003
#define IDC_TYPE_OCX 1004
#define IDC_TYPE_ICO 1005
#define IDC_TYPE_SCR 1006
#define IDC_TYPE_DRV 1007
#define IDC_TYPE_CUR 1008
#define IDC_TYPE_ANI 1009 // the type boxes' ids run from IDC_TYPE_EXE to here
#define IDC_FIND 1034
#define IDC_STOP 1035
#define IDC_SEARCH_ANIMATION 1036
#define IDC_INCLUDE_SUBFOLDERS 1037
#define IDC_BROWSE_LOOK_IN 1038
#define IDC_LAST_FOUND 1039
#define IDC_FOUND_COUNT 1042

// "Save..." dialog (Save Now is IDOK, Exit is IDCANCEL, Stop is IDC_STOP)
#define IDC_SAVE_FOLDER 1000
#define IDC_FORMAT_ICO 1003
#define IDC_FORMAT_BMP 1004
#define IDC_FORMAT_PNG 1005 // the format buttons' ids run in order
#define IDC_SAVE_PROGRESS 1045
#define IDC_SAVE_LOG 1046
#define IDC_BROWSE_SAVE_FOLDER 1048
#define IDC_SAVE_PROGRESS_TEXT 1050

// Overwrite question ("&Yes" is IDOK, "&No" is IDCANCEL)
#define IDC_NO_TO_ALL 1051
#define IDC_YES_TO_ALL 1052
#define IDC_OVERWRITE_TEXT 1053

// ---- Child window ids of controls that views create in code
#define IDC_SUBICON_LIST 1  // list box of the sub-icon view
#define IDC_FOLDER_TREE 100 // tree of the folder tree view
#define IDC_ICON_LIST 131   // list of the icon list view
#define IDC_ICON_FILTER 132 // filter box of the icon list view

// ---- Commands of Quarvel
#define ID_SAVE_ICON_AS 20156
#define ID_SHELL_OPEN 20162
#define ID_SHELL_PROPERTIES 20167
#define ID_COPY_PATH 20170
#define ID_COMMAND_PROMPT 20171
#define ID_COPY_ICON_LOCATION 20172
#define ID_VIEW_BACK 32771
#define ID_VIEW_FORWARD 32772
#define ID_VIEW_UP 32773
#define ID_VIEW_REFRESH 32774
#define ID_HELP_WEB_PAGE 32778
#define ID_SEARCH_IN_FOLDER 32779
// View > Icon Size: one command per size, in the order of the sizes (the ids run in order), and
// the steps to the next larger and smaller size (Ctrl + plus / minus, Ctrl + mouse wheel).
#define ID_VIEW_ICON_SIZE_SMALL 32800
#define ID_VIEW_ICON_SIZE_MEDIUM 32801
#define ID_VIEW_ICON_SIZE_LARGE 32802
#define ID_VIEW_ICON_SIZE_EXTRA_LARGE 32803
#define ID_VIEW_ICON_SIZE_JUMBO 32804
#define ID_VIEW_ICON_SIZE_LARGER 32805
#define ID_VIEW_ICON_SIZE_SMALLER 32806
// View > Sort Icons By: one command per order, in the order of IconOrder (the ids run in order).
#define ID_VIEW_SORT_ICONS_FILE 32810
#define ID_VIEW_SORT_ICONS_NAME 32811
#define ID_VIEW_SORT_ICONS_LARGEST 32812
#define ID_VIEW_HIDE_DUPLICATES 32813
#define ID_EDIT_FIND_ICON 32814 // Edit > Find Icon: the icon list's filter box

// ---- Strings of Quarvel
#define IDS_SELECT_SEARCH_FOLDER 61205  // "Please select a directory to search!"
#define IDS_SELECT_FILE_TYPE 61206      // "Please select a file type to search!"
#define IDS_SEARCH_FOLDER_MISSING 61207 // "The directory [%s] does not exist!"
#define IDS_SELECT_SAVE_FOLDER 61243    // "Please select a folder!"
#define IDS_ASK_CREATE_FOLDER 61244     // "[%s] does not exist. Do you want to create it?"
#define IDS_SAVE_CAPTION 61245          // "Save resource"
#define IDS_CREATE_FOLDER_FAILED 61246  // "Create [%s] failed!"
#define IDS_SAVE_FAILED 61247           // "Save [%s] failed!"
#define IDS_SAVE_OK 61248               // "Save [%s] ok!"
#define IDS_ASK_OVERWRITE 61249         // "[%s] already exists. Do you want to overwrite it?"
#define IDS_SAVE_NOT_ALL 61250          // "%d of %d not saved"
#define IDS_VERSION_TITLE 61252         // "Quarvel v1.0"
#define IDS_WEB_PAGE_ADDRESS 61260      // the product's web page (About box, Web page command)
#define IDS_SUPPORT_EMAIL 61261         // the support e-mail address (About box)

// ---- Framework: strings
#define AFX_IDS_APP_TITLE 57344   // "Quarvel"
#define AFX_IDS_IDLEMESSAGE 57345 // "Ready"

// ---- Framework: standard commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_EDIT_CLEAR 57632
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP_INDEX 57666
#define ID_HELP_FINDER 57667 // Help > Content: opens Quarvel.chm
#define ID_HELP_CONTENTS ID_HELP_FINDER
#define ID_HELP 57670
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// ---- Framework: status bar indicators (their strings are the indicator texts)
#define ID_SEPARATOR 0
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139

// ---- Framework: control bars (also the View menu's toggle commands)
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393
#define ID_VIEW_TOOLBAR AFX_IDW_TOOLBAR
#define ID_VIEW_STATUS_BAR AFX_IDW_STATUS_BAR

// ---- Framework: window ids
#define AFX_IDW_PANE_FIRST 59648

#endif
