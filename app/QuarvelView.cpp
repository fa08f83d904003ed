// CQuarvelView's run-time class.
#include "QuarvelView.h"

IMPLEMENT_DYNCREATE(CQuarvelView, CView)
