// CQuarvelDoc: a new document is titled with the program's version title.
#include "QuarvelDoc.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CQuarvelDoc, CDocument)

BOOL CQuarvelDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    CString title;
    title.LoadString(IDS_VERSION_TITLE);
    SetTitle(title);
    return TRUE;
}
