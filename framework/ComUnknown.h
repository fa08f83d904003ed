// The IUnknown part of a COM object of ours: a reference count (starting at 1 for the creator)
// and QueryInterface for IUnknown and the one interface the object implements.
#pragma once

#include <windows.h>

#include <unknwn.h>

template <class Interface, const IID& kInterfaceId> class CComUnknown : public Interface {
public:
    CComUnknown() = default;
    CComUnknown(const CComUnknown&) = delete;
    CComUnknown& operator=(const CComUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, kInterfaceId)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~CComUnknown() = default;

private:
    LONG m_references = 1;
};
