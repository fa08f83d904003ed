// Rendering a data object onto the clipboard.
#include "DataClipboard.h"

#include <vector>

namespace {

struct Rendered {
    UINT format;
    STGMEDIUM medium;
};

HANDLE HandleOf(const STGMEDIUM& medium) {
    return medium.tymed == TYMED_GDI ? static_cast<HANDLE>(medium.hBitmap) : medium.hGlobal;
}

// The object's formats, each rendered; those it cannot give as a block or bitmap are skipped.
std::vector<Rendered> RenderAll(IDataObject* data) {
    std::vector<Rendered> rendered;
    IEnumFORMATETC* formats = nullptr;
    if (FAILED(data->EnumFormatEtc(DATADIR_GET, &formats)) || !formats)
        return rendered;
    FORMATETC format{};
    while (formats->Next(1, &format, nullptr) == S_OK) {
        if (format.ptd)
            CoTaskMemFree(format.ptd);
        format.ptd = nullptr;
        format.tymed &= TYMED_HGLOBAL | TYMED_GDI;
        format.lindex = -1;
        STGMEDIUM medium{};
        if (format.tymed == 0 || FAILED(data->GetData(&format, &medium)))
            continue;
        if ((medium.tymed == TYMED_HGLOBAL || medium.tymed == TYMED_GDI) && !medium.pUnkForRelease)
            rendered.push_back({format.cfFormat, medium});
        else
            ReleaseStgMedium(&medium);
    }
    formats->Release();
    return rendered;
}

} // namespace

bool PutDataOnClipboard(HWND owner, IDataObject* data) {
    if (!data)
        return false;
    std::vector<Rendered> rendered = RenderAll(data);
    const bool opened = !rendered.empty() && OpenClipboard(owner);
    bool put = false;
    if (opened)
        EmptyClipboard();
    for (Rendered& item : rendered) {
        // Taken, the clipboard owns the handle; otherwise it is still ours to free.
        if (opened && SetClipboardData(item.format, HandleOf(item.medium)))
            put = true;
        else
            ReleaseStgMedium(&item.medium);
    }
    if (opened)
        CloseClipboard();
    return put;
}
