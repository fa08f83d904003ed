// Enumerating a fixed list of formats.
#include "FormatEnumerator.h"

#include <new>
#include <utility>

IEnumFORMATETC* CFormatEnumerator::Create(std::vector<FORMATETC> formats) {
    return new (std::nothrow) CFormatEnumerator(std::move(formats));
}

HRESULT CFormatEnumerator::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
    if (!formats || (count > 1 && !fetched))
        return E_POINTER;
    ULONG given = 0;
    for (; given < count && m_next < m_formats.size(); ++given)
        formats[given] = m_formats[m_next++];
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT CFormatEnumerator::Skip(ULONG count) {
    const std::size_t left = m_formats.size() - m_next;
    if (count > left) {
        m_next = m_formats.size();
        return S_FALSE;
    }
    m_next += count;
    return S_OK;
}

HRESULT CFormatEnumerator::Reset() {
    m_next = 0;
    return S_OK;
}

HRESULT CFormatEnumerator::Clone(IEnumFORMATETC** clone) {
    if (!clone)
        return E_POINTER;
    auto* copy = new (std::nothrow) CFormatEnumerator(m_formats);
    if (copy)
        copy->m_next = m_next;
    *clone = copy;
    return copy ? S_OK : E_OUTOFMEMORY;
}
