// The classes of the left pane's pages, for CBrowser: the folder tree view ("Folder") and the
// search form ("Search").
#pragma once

#include "FileTreeView.h"
#include "SearchDlg.h"
