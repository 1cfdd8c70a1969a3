// OZU_ComponentDialog: the base of the component editors. An editor is a
// modeless dialog that edits one Components record for the main view: it
// loads the fields every component has (number, description, usage,
// warehouse code, supplier code, label, costs, flags) from the record,
// exchanges them with the controls, checks them, fits the texts to the
// widths of their columns and hands the result to the view to store.
//
// Its life, whatever order things happen in:
// - the leaf's constructor opens it (OpenWindow); the view keeps the pointer;
//   when the window could not be made (IsOpen is FALSE) the view deletes the
//   object itself;
// - OK reads and checks the fields (OnOK); the leaf then fits its own texts
//   and calls FinishOK, which has the view store the component and closes
//   the editor, or leaves it open when a check failed or nothing was stored;
// - Cancel, Escape and the close box end the view's edit and close it;
// - however the window goes (OK, Cancel, the view destroying it, its owner
//   going), the view is told once (ClearCurrentDialog) and the object
//   deletes itself once, after the last of its own message handlers has
//   returned, so a window destroyed under an open message box of the editor
//   leaves nothing dangling.
#pragma once

#include "database/records/ComponentRecords.h"
#include "editors/base/window/EditorView.h"
#include "pickers/controls/DatabaseCombos.h"
#include "units/OZU_BaseDialog.h"

class CGridWindow;

class OZU_ComponentDialog : public OZU_BaseDialog
{
    DECLARE_DYNAMIC(OZU_ComponentDialog)
public:
    // The main grid, the record to edit (the view's; read while the editor
    // opens, never freed here), the user's unit settings and the view. The
    // window is made by the leaf (OpenWindow).
    OZU_ComponentDialog(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnitSettings, CEditorView* pView);
    ~OZU_ComponentDialog() override;

    // The text exactly nWidth characters long: padded with blanks, or cut.
    static CString FitToWidth(const CString& text, int nWidth);

    // The window exists (it was made and is not gone yet).
    BOOL IsOpen() const { return m_hWnd != nullptr; }

    // Tells the view first, then destroys the window.
    BOOL DestroyWindow() override;

    // The fields the view stores (Components columns in brackets).
    long m_nComponentKey = -1;        // [Component Key]
    long m_nOldId1 = 0;               // [Old id1]
    long m_nOldId2 = 0;               // [Old id2]
    long m_nOldId3 = 0;               // [Old id3]
    CString m_strDescription;         // [Description]
    CString m_strWarehouseCode;       // [Warehouse Code]
    CString m_strSupplierCode;        // [Supplier Code]
    float m_fWholesaleCost = 0.0f;    // [Reals7], per metre for a line component
    float m_fRetailPrice = 0.0f;      // [Reals8], likewise
    CString m_strNumberText;          // the number shown for a new component (none)
    long m_nFlags = 0;                // [Flags]
    CString m_strUsage;               // [Usage]
    CString m_strLabel;               // [Major2] and [Minor2] together
    BYTE m_nDatabaseNumber = 0;       // [Database Number]
    CEditorView* m_pView;
    CGridWindow* m_pGrid;
    CRecords* m_pRecord;
    CSupplierCombo m_cbSupplier;
    // Costs are shown times the load factor and stored times the save factor
    // (a line component's costs per 100 ft for a user of feet).
    float m_fPriceLoadFactor = 1.0f;
    float m_fPriceSaveFactor = 1.0f;
    // The last reading of the fields on OK failed: nothing is stored.
    BOOL m_bValidationFailed = FALSE;
    BOOL m_bHasLabel = FALSE;
    CFont m_fontBold;

protected:
    // Makes the window from the template with the view as parent and shows
    // it; FALSE when it could not be made (the object is then not deleted
    // by itself: the caller deletes it).
    BOOL OpenWindow(UINT nIDTemplate);

    // The base's part of the leaves' operations; each leaf calls the base's
    // first (OnInitDialog: after copying its own fields from the record).
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Reads and checks the fields (m_bValidationFailed tells how that went)
    // and fits the texts to their columns. The window stays open: the leaf
    // fits its own texts and then calls FinishOK.
    void OnOK() override;
    // Ends the view's edit, then closes the editor.
    void OnCancel() override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The last step of a leaf's OK: unless the fields failed their checks,
    // has the view store the component and closes the editor. A store that
    // fails leaves the editor open, and a new component is checked for
    // twins again at the next OK.
    void FinishOK();

    // The width of a Components column as the view reports it (0: unknown).
    int FieldLength(int nColumn) const;
    // A text fitted to the width of a Components column (unchanged when the
    // width is not known).
    CString FitToColumn(const CString& text, int nColumn) const;
    // The state the view shares with its grids.
    CGridState& State() const { return m_pView->GetGridState(); }
    // The main grid's current row is its append row: a new component.
    BOOL IsNewRow() const;
    // An assembly is being built, or its items are to be copied.
    BOOL IsBuildingAssembly() const;
    // Shows a message box; afterwards FALSE when the editor's window went
    // away meanwhile.
    int MessageBox(const CString& text, UINT nType, BOOL* pStillOpen = nullptr);
    // A rule between fields: when it is broken its message is told, also
    // when a stored component that breaks it is shown; only a save is
    // refused (the focus stays on the field last exchanged).
    void CheckFieldRule(CDataExchange* pDX, bool bBroken, UINT nMessage);
    // The rule that a minimum is not above its maximum, compared in nUnit.
    template <class V>
    void CheckMinimumNotAbove(CDataExchange* pDX, const V& minimum, const V& maximum, int nUnit, UINT nMessage)
    {
        CheckFieldRule(pDX, minimum.GetValueIn(nUnit) > maximum.GetValueIn(nUnit), nMessage);
    }
    // Selects the entry of a combo that is the text (whole, any case, end
    // blanks ignored); FALSE when there is none.
    static BOOL SelectListText(CComboBox& combo, const CString& text);
    // The entry chosen in a combo into text; text stays as it was when the
    // combo has no window or nothing is chosen.
    static void ReadListChoice(CComboBox& combo, CString& text);
    // A component's pipe type selected in its combo: a type the pipe-type
    // table lacks is added to it, so that the component keeps its type.
    static void ShowPipeType(CTypeCombo& combo, const CString& type);

    afx_msg void OnDestroy();

    // The view has been told that the window goes.
    BOOL m_bViewTold = FALSE;

private:
    void TellViewGone();
    // Exchange of a cost with its edit in the shown unit; an unchanged text
    // keeps the stored value as it was.
    void ExchangeCost(CDataExchange* pDX, int nIDC, float& value, CString& shown);

    int m_nBusy = 0;                 // message handlers of this object running
    BOOL m_bDeletePending = FALSE;   // the window is gone: delete when they end
    BOOL m_bOpening = FALSE;         // inside OpenWindow
    BOOL m_bEditExistingBeforeOK = TRUE;   // the edit-existing flag before OK
    CString m_strWholesaleShown;     // the cost texts as loaded
    CString m_strRetailShown;

    DECLARE_MESSAGE_MAP()
};
