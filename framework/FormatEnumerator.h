// An IEnumFORMATETC over a fixed list of formats, for data objects of ours.
#pragma once

#include "ComUnknown.h"

#include <objidl.h>

#include <vector>

class CFormatEnumerator : public CComUnknown<IEnumFORMATETC, IID_IEnumFORMATETC> {
public:
    // A new enumerator (one reference, the caller's) over the formats, from the first.
    static IEnumFORMATETC* Create(std::vector<FORMATETC> formats);

    HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** clone) override;

private:
    explicit CFormatEnumerator(std::vector<FORMATETC> formats) : m_formats(std::move(formats)) {}

    std::vector<FORMATETC> m_formats; // none with a target device
    std::size_t m_next = 0;
};
