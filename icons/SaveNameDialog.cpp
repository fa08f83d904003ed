// The save dialog of the icon panes.
#include "SaveNameDialog.h"

#include "resource.h"

namespace quarvel {

namespace {
const char kFilter[] = "ICO files(*.ico)|*.ico|BITMAP files(*.bmp)|*.bmp|PNG image (*.png)|*.png||";
constexpr DWORD kBitmapFilterIndex = 2; // filter indices count from 1
constexpr DWORD kPngFilterIndex = 3;
} // namespace

bool AskIconSaveName(CWnd* owner, const char* proposed, CString& path, int& format) {
    CFileDialog dialog(FALSE, ".ico", proposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter,
                       owner);
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
