// The classes of the left pane's pages, for CBrowser: the folder tree view ("Folder") and the
// search form ("Search"). Stand-ins until the folder tree and search layers land.
#pragma once

#include "Standins.h"
