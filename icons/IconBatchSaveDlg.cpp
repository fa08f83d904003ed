// CIconBatchSaveDlg: walks the icon list's selection, one icon per step, through the list's own
// save operation.
#include "IconBatchSaveDlg.h"

#include "IconListCtrl.h"
#include "OverwriteDlg.h"
#include "SaveNameDialog.h"
#include "engine/platform/FileSystem.h"
#include "resource.h"

#include <utility>

namespace pf = quarvel::platform;

namespace {
const char kOverwriteCaption[] = "Confirm file overwrite";

// The dialog's format is handed to the list's save as it stands.
constexpr bool SameValue(CBatchSaveDlg::Format format, quarvel::SaveFormat save) {
    return static_cast<int>(format) == static_cast<int>(save);
}
static_assert(SameValue(CBatchSaveDlg::kIcoFormat, quarvel::kSaveAsIco) &&
              SameValue(CBatchSaveDlg::kBmpFormat, quarvel::kSaveAsBmp) &&
              SameValue(CBatchSaveDlg::kPngFormat, quarvel::kSaveAsPng));

// The icon format is each item's own: .ico, or .cur and .ani for cursors.
const char* ExtensionOf(const CIconListCtrl& list, int index, int format) {
    switch (format) {
    case CBatchSaveDlg::kBmpFormat:
        return ".bmp";
    case CBatchSaveDlg::kPngFormat:
        return ".png";
    default:
        return list.OwnExtension(index);
    }
}
} // namespace

CIconBatchSaveDlg::CIconBatchSaveDlg(CIconListCtrl& list, SaveFolderSetting setting, CWnd* parent)
    : CBatchSaveDlg(std::move(setting), parent), m_list(list) {}

BOOL CIconBatchSaveDlg::OnInitDialog() {
    m_nTotal = static_cast<int>(m_list.GetSelectedCount());
    m_nDuplicates = 0;
    if (m_list.GetHideDuplicates())
        for (int index = m_list.GetNextItem(-1, LVNI_SELECTED); index >= 0;
             index = m_list.GetNextItem(index, LVNI_SELECTED))
            m_nDuplicates += m_list.DuplicatesOf(index);
    return CBatchSaveDlg::OnInitDialog();
}

CString CIconBatchSaveDlg::LastLogLine() const {
    // As the command line's extract --unique says it.
    CString line;
    if (m_nDuplicates > 0)
        line.Format("%d duplicate icon%s left out", m_nDuplicates, m_nDuplicates == 1 ? "" : "s");
    return line;
}

void CIconBatchSaveDlg::BeginSave(const CString&) {
    // Each batch walks the whole selection; the answers for the whole batch hold for one only.
    m_nNextPosition = m_list.GetNextItem(-1, LVNI_SELECTED) + 1;
    m_bOverwriteAll = m_bSkipAll = false;
}

int CIconBatchSaveDlg::SaveNext(const CString& folder, CString& fileName) {
    const int index = m_nNextPosition - 1;
    m_nNextPosition = index < 0 ? 0 : m_list.GetNextItem(index, LVNI_SELECTED) + 1;
    if (index < 0 || !m_list.GetIconItem(index))
        return 0;
    const int format = GetFormat();
    fileName = folder;
    if (fileName.Right(1) != "\\")
        fileName += "\\";
    fileName += m_list.DefaultFileName(index, ExtensionOf(m_list, index, format));
    return m_list.SaveIcon(index, false, fileName, MayOverwrite(fileName), format);
}

bool CIconBatchSaveDlg::MayOverwrite(const CString& path) {
    if (m_bOverwriteAll)
        return true;
    if (m_bSkipAll || pf::GetPathKind(path) != pf::PathKind::File)
        return false;
    CString question;
    CString format;
    format.LoadString(IDS_ASK_OVERWRITE);
    question.Format(format, path.GetString());
    switch (COverwriteDlg(kOverwriteCaption, question, this).Ask()) {
    case COverwriteDlg::kYes:
        return true;
    case COverwriteDlg::kYesToAll:
        m_bOverwriteAll = true;
        return true;
    case COverwriteDlg::kNoToAll:
        m_bSkipAll = true;
        return false;
    case COverwriteDlg::kNo:
        break;
    }
    return false;
}
