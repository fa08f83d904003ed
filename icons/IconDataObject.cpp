// The data object's formats and their rendering.
#include "IconDataObject.h"

#include "FormatEnumerator.h"
#include "GlobalBlock.h"
#include "engine/platform/AnsiText.h"

#include <shlobj.h>

#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace quarvel {

namespace {

FORMATETC Format(UINT format, DWORD medium) {
    return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, medium};
}

HRESULT Hand(HGLOBAL block, STGMEDIUM* medium) {
    if (!block)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HGLOBAL BlockOf(const std::vector<std::uint8_t>& bytes) {
    return GlobalBlockOf(bytes.data(), bytes.size());
}

} // namespace

UINT PngClipboardFormat() {
    static const UINT format = RegisterClipboardFormatA("PNG");
    return format;
}

UINT FileDescriptorFormat() {
    static const UINT format = RegisterClipboardFormatA(CFSTR_FILEDESCRIPTORW);
    return format;
}

UINT FileContentsFormat() {
    static const UINT format = RegisterClipboardFormatA(CFSTR_FILECONTENTS);
    return format;
}

IDataObject* CIconDataObject::Create(IconTransfer transfer) {
    try {
        return new CIconDataObject(std::move(transfer));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CIconDataObject::CIconDataObject(IconTransfer transfer) : m_transfer(std::move(transfer)) {
    if (!m_transfer.files.empty()) {
        m_formats.push_back(Format(FileDescriptorFormat(), TYMED_HGLOBAL));
        m_formats.push_back(Format(FileContentsFormat(), TYMED_HGLOBAL));
    }
    // The PNG keeps the image whole; the DIB is for programs that take no PNG but know alpha.
    if (m_transfer.image) {
        m_formats.push_back(Format(PngClipboardFormat(), TYMED_HGLOBAL));
        m_formats.push_back(Format(CF_DIBV5, TYMED_HGLOBAL));
        // Ours, so that the system makes none from the picture below.
        m_formats.push_back(Format(CF_DIB, TYMED_HGLOBAL));
    }
    if (m_transfer.picture)
        m_formats.push_back(Format(CF_BITMAP, TYMED_GDI));
}

const FORMATETC* CIconDataObject::Offered(const FORMATETC& format) const {
    if (format.dwAspect != DVASPECT_CONTENT)
        return nullptr;
    for (const FORMATETC& offered : m_formats)
        if (offered.cfFormat == format.cfFormat && (offered.tymed & format.tymed))
            return &offered;
    return nullptr;
}

const TransferImage* CIconDataObject::Image() {
    if (!m_image) {
        const auto bytes = m_transfer.image();
        m_image = bytes ? MakeTransferImage(ByteView(bytes->data(), bytes->size())) : std::nullopt;
    }
    return *m_image ? &**m_image : nullptr;
}

HGLOBAL CIconDataObject::RenderFileDescriptors() const {
    const std::size_t count = m_transfer.files.size();
    // FILEGROUPDESCRIPTORW holds the count and the first descriptor; the others follow it.
    std::vector<std::uint8_t> group(sizeof(FILEGROUPDESCRIPTORW) +
                                    (count - 1) * sizeof(FILEDESCRIPTORW));
    auto* descriptors = reinterpret_cast<FILEGROUPDESCRIPTORW*>(group.data());
    descriptors->cItems = static_cast<UINT>(count);
    for (std::size_t i = 0; i < count; ++i) {
        FILEDESCRIPTORW& file = descriptors->fgd[i];
        file.dwFlags = FD_PROGRESSUI;
        const std::wstring name = platform::WideFromNarrow(m_transfer.files[i].name.c_str());
        lstrcpynW(file.cFileName, name.c_str(), MAX_PATH);
    }
    return BlockOf(group);
}

HGLOBAL CIconDataObject::RenderFileContents(LONG index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_transfer.files.size())
        return nullptr;
    const auto bytes = m_transfer.files[static_cast<std::size_t>(index)].contents();
    return bytes ? BlockOf(*bytes) : nullptr;
}

HRESULT CIconDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium)
        return E_INVALIDARG;
    const FORMATETC* offered = Offered(*format);
    if (!offered)
        return DV_E_FORMATETC;
    try {
        const UINT id = offered->cfFormat;
        if (id == FileDescriptorFormat())
            return Hand(RenderFileDescriptors(), medium);
        if (id == FileContentsFormat()) {
            HGLOBAL contents = RenderFileContents(format->lindex);
            if (!contents)
                return format->lindex < 0 ? DV_E_LINDEX : E_FAIL;
            return Hand(contents, medium);
        }
        if (id == CF_BITMAP) {
            ScopedBitmap picture = m_transfer.picture();
            if (!picture)
                return E_FAIL;
            medium->tymed = TYMED_GDI;
            medium->hBitmap = picture.Detach();
            medium->pUnkForRelease = nullptr;
            return S_OK;
        }
        const TransferImage* image = Image();
        if (!image)
            return E_FAIL;
        if (id == CF_DIBV5)
            return Hand(BlockOf(image->dibV5), medium);
        return Hand(BlockOf(id == CF_DIB ? image->dib : image->png), medium);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CIconDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT CIconDataObject::QueryGetData(FORMATETC* format) {
    if (!format)
        return E_INVALIDARG;
    return Offered(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT CIconDataObject::GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* out) {
    if (!format || !out)
        return E_INVALIDARG;
    *out = *format;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT CIconDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    // Drop targets report their outcome this way; nothing here depends on it.
    return E_NOTIMPL;
}

HRESULT CIconDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats)
        return E_INVALIDARG;
    *formats = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    try {
        *formats = CFormatEnumerator::Create(m_formats);
    } catch (const std::bad_alloc&) {
    }
    return *formats ? S_OK : E_OUTOFMEMORY;
}

HRESULT CIconDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CIconDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CIconDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}

} // namespace quarvel
