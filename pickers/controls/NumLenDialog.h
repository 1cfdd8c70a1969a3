// The "Add To Assembly" dialog: asks for the number, or for the length, of a
// component being added to an assembly. A length is shown and typed in the
// user's length unit and kept in metres.
#pragma once

#include "units/OZU_BaseDialog.h"

class CNumLenDialog : public OZU_BaseDialog
{
public:
    // bLength: ask for a length (else a number); the item's name (shown
    // without surrounding blanks); the current quantity (metres for a
    // length); the user's unit settings.
    CNumLenDialog(BOOL bLength, LPCTSTR lpszItemName, float fQuantity, OZU_UnitSettings* pUnitSettings,
                  CWnd* pParentWnd = nullptr);
    ~CNumLenDialog() override;

    // After OK: the length entered.
    const OZU_LengthValue& GetLength() const { return m_length; }
    // The quantity as it is stored: the length in metres, or the number.
    float GetQuantity() const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Fits the dialog to its three lines of text.
    void Arrange();

    BOOL m_bLength;
    CString m_strItemName;
    CString m_strMessage;
    CString m_strUnit;
    OZU_LengthValue m_length;
    float m_fNumber;

    DECLARE_MESSAGE_MAP()
};
