// CStatusBar: panes, their widths, texts and the idle update of the indicators.
#include "StatusBar.h"

#include "Frame.h"
#include "FwIds.h"
#include "Handles.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* bar) : m_bar(bar) {}
    CString m_enabledText;
    void Enable(BOOL on) override {
        m_bEnableChanged = true;
        CString text = on ? m_enabledText : CString();
        if (m_bar->GetPaneText(static_cast<int>(m_nIndex)) != text)
            m_bar->SetPaneText(static_cast<int>(m_nIndex), text);
    }
    void SetCheck(int) override {}
    void SetText(const char* text) override {
        m_bar->SetPaneText(static_cast<int>(m_nIndex), text);
    }

private:
    CStatusBar* m_bar;
};
} // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_dwStyle = style & CBRS_ALIGN_ANY;
    DWORD windowStyle = (style & WS_VISIBLE) | WS_CHILD | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN |
                        CCS_NORESIZE | CCS_NODIVIDER;
    return CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, 0, 0, 0, 0, parent->m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

HFONT CStatusBar::TextFont() const {
    HFONT font = GetFont();
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    m_indicators.clear();
    const ScopedWindowDC dc(m_hWnd);
    const ScopedSelect font(dc.Get(), TextFont());
    BOOL ok = TRUE;
    for (int i = 0; i < count; ++i) {
        Indicator indicator{ids[i], CString(), 0};
        if (ids[i] != ID_SEPARATOR) {
            if (!indicator.text.LoadString(ids[i]))
                ok = FALSE;
            SIZE extent{0, 0};
            GetTextExtentPoint32A(dc.Get(), indicator.text, indicator.text.GetLength(), &extent);
            indicator.width = extent.cx + 12;
        }
        m_indicators.push_back(indicator);
    }
    UpdatePartWidths();
    for (size_t i = 0; i < m_indicators.size(); ++i)
        SetPaneText(static_cast<int>(i), "");
    return ok;
}

void CStatusBar::UpdatePartWidths() {
    if (m_indicators.empty())
        return;
    RECT client;
    GetClientRect(&client);
    std::vector<int> edges(m_indicators.size());
    int right = client.right;
    for (size_t i = m_indicators.size(); i-- > 1;) {
        edges[i] = right;
        right -= m_indicators[i].width;
    }
    edges[0] = std::max(0, right);
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT type, int cx, int cy) {
    CControlBar::OnSize(type, cx, cy);
    UpdatePartWidths();
}

BOOL CStatusBar::SetPaneText(int index, const char* text) {
    if (index < 0 || index >= GetCount())
        return FALSE;
    return SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) !=
           0;
}

CString CStatusBar::GetPaneText(int index) const {
    if (index < 0 || index >= GetCount())
        return CString();
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index)));
    CString text;
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
    text.ReleaseBuffer();
    return text;
}

SIZE CStatusBar::CalcFixedLayout(int sideLength) {
    TEXTMETRICA metrics{};
    {
        const ScopedWindowDC dc(m_hWnd);
        const ScopedSelect font(dc.Get(), TextFont());
        GetTextMetricsA(dc.Get(), &metrics);
    }
    return SIZE{sideLength, metrics.tmHeight + 8};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) {
    CStatusCmdUI item(this);
    for (size_t i = 1; i < m_indicators.size(); ++i) {
        item.m_nID = m_indicators[i].id;
        item.m_nIndex = static_cast<UINT>(i);
        item.m_enabledText = m_indicators[i].text;
        item.DoUpdate(target, disableIfNoHandler);
    }
}
