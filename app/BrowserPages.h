// The classes of the left pane's pages, for CBrowser: the folder tree view ("Folder") and the
// search form ("Search", a stand-in until the search layer lands).
#pragma once

#include "FileTreeView.h"
#include "Standins.h"
