// CIconDataObject: the IDataObject behind both Copy and a drag out of the icon panes, so that the
// two offer the same data. Formats, in this order:
//   - with files: CFSTR_FILEDESCRIPTORW (their names) and CFSTR_FILECONTENTS (each file's bytes
//     by index, TYMED_HGLOBAL);
//   - with an image: "PNG", CF_DIBV5 and CF_DIB (TransferImage.h), made once, when first asked;
//   - with a picture: CF_BITMAP (TYMED_GDI).
#pragma once

#include "ComUnknown.h"
#include "IconTransfer.h"
#include "TransferImage.h"

#include <objidl.h>

#include <optional>
#include <vector>

namespace quarvel {

// The clipboard formats registered by name.
UINT PngClipboardFormat();
UINT FileDescriptorFormat();
UINT FileContentsFormat();

class CIconDataObject : public CComUnknown<IDataObject, IID_IDataObject> {
public:
    // A new data object (one reference, the caller's); null when out of memory.
    static IDataObject* Create(IconTransfer transfer);

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

private:
    explicit CIconDataObject(IconTransfer transfer);

    // The offered format matching the request, or null.
    const FORMATETC* Offered(const FORMATETC& format) const;
    HGLOBAL RenderFileDescriptors() const;
    HGLOBAL RenderFileContents(LONG index) const;
    // The image's forms, made at the first request; null when the image cannot be read.
    const TransferImage* Image();

    IconTransfer m_transfer;
    std::vector<FORMATETC> m_formats;
    std::optional<std::optional<TransferImage>> m_image;
};

} // namespace quarvel
