// The application framework in one include: windows, message maps, documents and views, frames,
// splitters, control bars, dialogs and data exchange, control wrappers, files.
#pragma once

#include "CmdTarget.h"
#include "CmdUI.h"
#include "ControlBar.h"
#include "Controls.h"
#include "Dialog.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "FileFind.h"
#include "Frame.h"
#include "FwIds.h"
#include "FwString.h"
#include "ImageList.h"
#include "Menu.h"
#include "MessageMap.h"
#include "Object.h"
#include "Splitter.h"
#include "View.h"
#include "WinApp.h"
#include "Wnd.h"
