// CQuarvelView: the document template's view class. The main frame creates its panes with their
// own classes, so no window of this class appears.
#pragma once

#include "Framework.h"

class CQuarvelView : public CView {
    DECLARE_DYNCREATE(CQuarvelView)
public:
    void OnDraw(HDC) override {}
};
