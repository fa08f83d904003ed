// The save dialog of both icon panes: a file name for an icon or image, and the format (icon
// file in the item's own format, bitmap file or PNG image) chosen by the dialog's filter; and the
// message of a save that failed.
#pragma once

#include "Framework.h"
#include "SaveFolderSetting.h"

namespace quarvel {

// kSaveAsIco is the item's own format: .ico for icons, .cur or .ani for cursors.
enum SaveFormat { kSaveAsIco = 0, kSaveAsBmp = 1, kSaveAsPng = 2 };

// Runs the save dialog with `proposed` as the initial name, in the remembered save folder when
// one is remembered and still exists (else where the system opens it). True with the chosen full
// path and the format of the chosen filter (the extension typed does not change it), the chosen
// folder then remembered; false on cancel. The first filter names the own format by its
// extension (".ico", ".cur" or ".ani").
bool AskIconSaveName(CWnd* owner, const char* proposed, const SaveFolderSetting& folder,
                     CString& path, int& format, const char* ownExtension = ".ico");

// Tells the user that the file at path could not be written: "Save [path] failed!".
void ShowSaveFailed(CWnd& owner, const char* path);

} // namespace quarvel
