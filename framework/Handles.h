// Owners of the handles the program makes: GDI objects, icons and device contexts, kernel
// objects, files and folder searches (defined with the engine, whose bitmap writer and file
// layer use them too), COM references and shell memory. Registry keys are in Registry.h, image
// lists in ImageList.h.
#pragma once

#include "engine/win32/GdiOwners.h"
#include "engine/win32/KernelOwners.h"

#include <objbase.h>
#include <shtypes.h>

using quarvel::MemoryCanvas;
using quarvel::ScopedBitmap;
using quarvel::ScopedBrush;
using quarvel::ScopedCursor;
using quarvel::ScopedFile;
using quarvel::ScopedFind;
using quarvel::ScopedFont;
using quarvel::ScopedHandle;
using quarvel::ScopedIcon;
using quarvel::ScopedKernelHandle;
using quarvel::ScopedMemoryDC;
using quarvel::ScopedSelect;
using quarvel::ScopedWindowDC;

struct ComReleaser {
    static void Close(IUnknown* object) { object->Release(); }
};
struct CoTaskMemCloser {
    static void Close(void* block) { CoTaskMemFree(block); }
};

// One reference to a COM object, released when it goes; Out() receives a new one from a call.
template <typename Interface> class ScopedComPtr : public ScopedHandle<Interface*, ComReleaser> {
public:
    using ScopedHandle<Interface*, ComReleaser>::ScopedHandle;
    Interface* operator->() const { return this->Get(); }
};

// An item id list that the shell allocated for the caller.
using ScopedItemIdList = ScopedHandle<LPITEMIDLIST, CoTaskMemCloser>;
