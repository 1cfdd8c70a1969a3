// The pickers of line types: an owner-drawn drop-down list for the line
// component editors (CLineStyleCombo), and a borderless popup list that the
// main view opens under a grid cell (CLineStylePopup with its list
// CPopupLineStyleList). Each item shows a sample of the dash pattern and the
// line type's name; its item data is the position in LineTypeList.
#pragma once

#include "pickers/core/LineTypes.h"
#include "platform/framework/Framework.h"

#include <string>

// Draws one item of a line-style picker: a sample of the item's line type
// `nSampleWidth` pixels wide, then its text. An item whose data is negative
// (or names no line type of the list) shows its text alone, centred in the
// sample's place. An empty pattern is drawn as a solid line.
void DrawLineStyleItem(LPDRAWITEMSTRUCT lpDIS, const CString& text, int nSampleWidth,
                       const LineTypeArray& list = LineTypeList());

class CLineStyleCombo : public CComboBox
{
    DECLARE_DYNAMIC(CLineStyleCombo)
public:
    CLineStyleCombo();
    ~CLineStyleCombo() override;

    // Selects the first item whose data equals nData; its position, or -1
    // (nothing changed) when none matches.
    int SelectByData(long nData);
    // The selected item's data; -1 when nothing is selected.
    long GetSelectedData() const;

    int GetItemHeightSetting() const { return m_nItemHeight; }
    // The width of the drawn samples.
    int GetSampleWidth() const;
    BOOL IsTipShowing() const { return m_bTipShowing; }
    HWND GetToolTipWindow() const { return m_hToolTip; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

protected:
    void PreSubclassWindow() override;
    // The tool tip and the selection field's height, once.
    void Setup();
    // The part of the combo a tip is shown for: all but the drop button.
    CRect HotRect() const;
    void HideTip();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDropDown();
    afx_msg void OnDestroy();

    int m_nItemHeight = 16;
    float m_fScale = 1.0f;
    HWND m_hToolTip = nullptr;
    TTTOOLINFOA m_toolInfo = {};
    std::string m_strTip;
    BOOL m_bTipShowing = FALSE;

    DECLARE_MESSAGE_MAP()
};

class CPopupLineStyleList : public CListBox
{
    DECLARE_DYNAMIC(CPopupLineStyleList)
public:
    void SetSampleWidth(int nWidth) { m_nSampleWidth = nWidth; }
    int GetSampleWidth() const { return m_nSampleWidth; }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

protected:
    int m_nSampleWidth = 100;
};

// Where the popup goes for an anchor (screen coordinates): under it when it
// fits above the screen's bottom, else above it; left-aligned with it when
// it fits left of the screen's right edge, else right-aligned.
CRect PlaceLineStylePopup(const CRect& rcAnchor, int nWidth, int nHeight, CSize screen);

class CLineStylePopup : public CDialog
{
    DECLARE_DYNAMIC(CLineStylePopup)
public:
    enum { IDD = 212 };
    static constexpr int kHeight = 242;

    // The anchor (a grid cell) in screen coordinates.
    CLineStylePopup(int left, int top, int right, int bottom, CWnd* pParent);
    ~CLineStylePopup() override;

    // The position to start on, and after the popup closed the position the
    // user chose (unchanged when the popup was cancelled).
    int m_nChosen = 0;

    CPopupLineStyleList& GetList() { return m_list; }
    const CRect& GetPopupRect() const { return m_rcPopup; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnCancel() override;
    void OnOK() override;
    // Closes the popup keeping the list's selection as the choice.
    void Commit();

    afx_msg void OnSelChange();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CPopupLineStyleList m_list;
    CRect m_rcAnchor;
    int m_nOriginal = 0;
    BOOL m_bKeyboard = FALSE;
    BOOL m_bClosing = FALSE;
    CRect m_rcPopup;

    DECLARE_MESSAGE_MAP()
};
