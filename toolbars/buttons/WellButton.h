// The colour-well button: an owner-drawn push button showing one colour as a
// swatch beside a drop-down arrow. A click drops a popup colour well under
// it; the colour picked there (or in the colour dialog, reached through the
// popup's "Other...") becomes the button's colour, and the button tells its
// parent: 0x465 with wParam its control id and lParam the colour.
#pragma once

#include "toolbars/buttons/ColorWell.h"
#include "toolbars/buttons/OwnerDrawButton.h"

namespace dedaride {
namespace foundation {

class OZWWellButton : public OZWOwnerDrawButton
{
    DECLARE_DYNAMIC(OZWWellButton)
public:
    OZWWellButton();
    ~OZWWellButton() override;

    // The colour (RGB; a high byte given is dropped); repaints.
    void SetColor(COLORREF colour);
    COLORREF GetColor() const;
    // Draws the colour through the button's palette (PALETTEINDEX) and has
    // the popup draw its cells the same way.
    void SetPaletteMode(BOOL bPaletteMode) { m_bPaletteMode = bPaletteMode; }
    BOOL GetPaletteMode() const { return m_bPaletteMode; }
    // Whether the popup has the custom cell and the "Other..." row.
    void SetShowOther(BOOL bShowOther) { m_bShowOther = bShowOther; }
    BOOL GetShowOther() const { return m_bShowOther; }
    // Replaces the popup (the button owns it; the previous one is deleted).
    void SetPopupWell(OZWPopupColorWell* pPopup);
    OZWPopupColorWell* GetPopupWell() const { return m_pPopup; }

    virtual DWORD SetColorDialogFlags(DWORD dwFlags);
    virtual DWORD GetColorDialogFlags() const { return m_dwColorDialogFlags; }
    // Sixteen custom colours for the colour dialog (not owned); null: the
    // dialog's own.
    virtual COLORREF* SetCustomColors(COLORREF* pColors);
    COLORREF* GetCustomColors() const { return m_pCustomColors; }
    // A fresh one-entry (black) palette.
    virtual BOOL CreatePalette();
    // Drops the popup under the button.
    virtual void DropPopup();

    void OnClicked() override;
    void PreDrawItem(CDC* pScreenDC, CDC* pDrawDC) override;
    void PostDrawItem(CDC* pScreenDC, CDC* pDrawDC) override;
    void DrawFocusIndicator(CDC* pDC, CRect& rc) override;
    void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, CRect& rc) override;

protected:
    afx_msg LRESULT OnColorSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorDialog(WPARAM wParam, LPARAM lParam);

    OZWPopupColorWell* m_pPopup = nullptr;
    CPalette m_palette;
    CPalette* m_pOldPaletteScreen = nullptr;
    CPalette* m_pOldPaletteDraw = nullptr;
    BOOL m_bPaletteMode = FALSE;
    BOOL m_bShowOther = TRUE;
    DWORD m_dwColorDialogFlags = CC_RGBINIT | CC_FULLOPEN;
    COLORREF* m_pCustomColors = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Data exchange of a well button's colour with a dialog's member.
void AFXAPI DDX_WellButtonColor(CDataExchange* pDX, OZWWellButton& button, COLORREF& value);

} // namespace foundation
} // namespace dedaride
