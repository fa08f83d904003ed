// The save dialog of the icon panes.
#include "SaveNameDialog.h"

#include "resource.h"

namespace quarvel {

namespace {
const char kOtherFilters[] = "BITMAP files(*.bmp)|*.bmp|PNG image (*.png)|*.png||";
constexpr DWORD kBitmapFilterIndex = 2; // filter indices count from 1
constexpr DWORD kPngFilterIndex = 3;

// "ICO files(*.ico)|*.ico|" and the others, for an own extension of ".ico".
CString FilterFor(const char* ownExtension) {
    CString type(ownExtension + 1), filter;
    type.MakeUpper();
    filter.Format("%s files(*%s)|*%s|", type.GetString(), ownExtension, ownExtension);
    return filter + kOtherFilters;
}

// The remembered folder when it is still there; "" otherwise.
CString RememberedFolder(const SaveFolderSetting& folder) {
    const CString path = folder.remembered ? folder.remembered() : CString();
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? path
               : CString();
}

CString JoinPath(const CString& folder, const char* name) {
    return folder.Right(1) == "\\" ? folder + name : folder + "\\" + name;
}
} // namespace

bool AskIconSaveName(CWnd* owner, const char* proposed, const SaveFolderSetting& folder,
                     CString& path, int& format, const char* ownExtension) {
    if (!ownExtension || *ownExtension != '.')
        ownExtension = ".ico";
    // The folder goes in front of the name: the dialog opens where the initial name's path
    // points, whatever folder it last showed.
    const CString remembered = RememberedFolder(folder);
    const CString initialName =
        remembered.IsEmpty() ? CString(proposed) : JoinPath(remembered, proposed ? proposed : "");
    const CString filter = FilterFor(ownExtension);
    CFileDialog dialog(FALSE, ownExtension, initialName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       filter, owner);
    if (dialog.DoModal() != IDOK)
        return false;
    switch (dialog.m_ofn.nFilterIndex) {
    case kBitmapFilterIndex:
        format = kSaveAsBmp;
        break;
    case kPngFilterIndex:
        format = kSaveAsPng;
        break;
    default:
        format = kSaveAsIco;
        break;
    }
    path = dialog.GetPathName();
    const int slash = path.ReverseFind('\\');
    if (slash > 0 && folder.store)
        folder.store(path.Left(slash == 2 ? 3 : slash)); // a drive's root keeps its backslash
    return true;
}

void ShowSaveFailed(CWnd& owner, const char* path) {
    CString format, caption, text;
    format.LoadString(IDS_SAVE_FAILED);
    caption.LoadString(IDS_SAVE_CAPTION);
    text.Format(format, path);
    owner.MessageBox(text, caption, MB_OK | MB_ICONSTOP);
}

} // namespace quarvel
