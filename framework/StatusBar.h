// CStatusBar: the message pane and the key indicators at the bottom of a frame.
#pragma once

#include "ControlBar.h"

#include <vector>

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM,
                UINT id = 59393);
    // Pane 0 (ID_SEPARATOR) is the message pane; the others show their id's string when enabled.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_indicators.size()); }
    UINT GetItemID(int index) const { return m_indicators.at(static_cast<size_t>(index)).id; }
    BOOL SetPaneText(int index, const char* text);
    CString GetPaneText(int index) const;
    SIZE CalcFixedLayout(int sideLength) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;

protected:
    void OnSize(UINT type, int cx, int cy);
    void UpdatePartWidths();
    // The font the bar measures its text in: its own, else the default GUI font.
    HFONT TextFont() const;
    DECLARE_MESSAGE_MAP()

private:
    struct Indicator {
        UINT id;
        CString text;
        int width;
    };
    std::vector<Indicator> m_indicators;
};
