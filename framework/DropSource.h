// The drop source of a drag of ours: the drop happens when the button that started the drag is
// released, Escape cancels it, and the system's cursors show the effect.
#pragma once

#include "ComUnknown.h"

#include <oleidl.h>

class CDropSource : public CComUnknown<IDropSource, IID_IDropSource> {
public:
    // A new drop source (one reference, the caller's); null when out of memory.
    static IDropSource* Create();

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    CDropSource() = default;
};
