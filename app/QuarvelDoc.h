// CQuarvelDoc: the program's (empty) document; its title starts the main window's caption.
#pragma once

#include "Framework.h"

class CQuarvelDoc : public CDocument {
    DECLARE_DYNCREATE(CQuarvelDoc)
public:
    BOOL OnNewDocument() override;
};
