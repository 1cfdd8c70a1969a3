// The combo boxes the editors pick a supplier code, a pipe type, a symbol or
// a nozzle from, filled from the open database. Each fills itself once,
// when it is subclassed by its dialog or created; the first three keep
// their recordset open and can add a missing row to their table.
#pragma once

#include "database/records/ComponentRecords.h"
#include "pickers/controls/PickerView.h"
#include "platform/framework/Framework.h"

#include <functional>
#include <vector>

// A combo box filled from one table through a recordset it keeps open.
class CTableCombo : public CComboBox
{
    DECLARE_DYNAMIC(CTableCombo)
public:
    ~CTableCombo() override;

    // The view whose database fills the combo; before it is subclassed.
    void SetView(CPickerView* pView) { m_pView = pView; }
    BOOL IsFilled() const { return m_bFilled; }
    // The recordset kept open (null before the fill, or after it failed).
    CADORSBase* GetRecordset() const { return m_pRecordset; }

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // Opens the table and lists its rows, once. A failed open leaves the
    // combo unfilled (the next trigger tries again); an error while listing
    // keeps the items listed and drops the recordset.
    void Fill();
    // The recordset of the table on a database, its statement, and one row's
    // part in the list.
    virtual CADORSBase* MakeRecordset(CDatabase* pDatabase) = 0;
    virtual LPCSTR Statement() const = 0;
    virtual void AddRow() = 0;
    // Closes and deletes the recordset.
    void DropRecordset();
    // Adds the text and selects it (unless the list refused it).
    void AddAndSelect(const CString& text);
    // Adds a row through the recordset kept open, its values set by
    // setValues. FALSE when it was not added; the user has been told why
    // (text names the row).
    BOOL InsertRow(const CString& text, const std::function<void()>& setValues);
    // Tells the user that a row could not be added.
    void ReportNotAdded(const CString& text);

    BOOL m_bFilled = FALSE;
    CADORSBase* m_pRecordset = nullptr;
    CPickerView* m_pView = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CSupplierCombo : public CTableCombo
{
    DECLARE_DYNAMIC(CSupplierCombo)
public:
    // Adds a default supplier row for the code, tells the user so, lists
    // the code and selects it. An empty code adds nothing. FALSE when no row
    // was added (the user is told why).
    BOOL AddSupplier(const CString& code);

protected:
    CADORSBase* MakeRecordset(CDatabase* pDatabase) override { return new CSupplierRecs(pDatabase); }
    LPCSTR Statement() const override { return "SELECT * FROM Suppliers"; }
    void AddRow() override;
    CSupplierRecs* Records() const { return static_cast<CSupplierRecs*>(m_pRecordset); }
};

class CTypeCombo : public CTableCombo
{
    DECLARE_DYNAMIC(CTypeCombo)
public:
    // Adds a default pipe-type row for the type as the table keeps it,
    // tells the user so, lists and selects it. An empty type adds nothing.
    // FALSE when no row was added.
    BOOL AddPipeType(const CString& type);
    // A type as the table keeps it: padded with blanks to 4 characters, cut
    // only beyond the [Type] column's width.
    static CString StoredType(const CString& type);
    static const int kTypeWidth = 6;

protected:
    CADORSBase* MakeRecordset(CDatabase* pDatabase) override { return new CTypeRecords(pDatabase); }
    LPCSTR Statement() const override { return "SELECT * FROM PipeTable"; }
    void AddRow() override;
    CTypeRecords* Records() const { return static_cast<CTypeRecords*>(m_pRecordset); }
};

class CSymbolCombo : public CTableCombo
{
    DECLARE_DYNAMIC(CSymbolCombo)
public:
    // Adds a symbol row of the name, lists it with its new key and selects
    // it. FALSE when no row was added.
    BOOL AddSymbol(const CString& name);
    // The position of the first item of the symbol key, or -1.
    int IndexOfKey(long nKey) const;
    // Selects the item of the name (whole name, any case); TRUE when found.
    BOOL SelectByName(const CString& name);
    const std::vector<long>& GetKeys() const { return m_keys; }

protected:
    CADORSBase* MakeRecordset(CDatabase* pDatabase) override { return new CSymbolRecords(pDatabase); }
    LPCSTR Statement() const override { return "SELECT * FROM Symbols ORDER BY Key"; }
    void AddRow() override;
    CSymbolRecords* Records() const { return static_cast<CSymbolRecords*>(m_pRecordset); }

    std::vector<long> m_keys;   // the symbol key of each item, in item order
};

// The nozzles an outlet can carry; filled on request.
class CNozzleCombo : public CComboBox
{
    DECLARE_DYNAMIC(CNozzleCombo)
public:
    void SetView(CPickerView* pView) { m_pView = pView; }
    BOOL IsInitialised() const { return m_bInitialised; }
    // Adds the description of each nozzle of the outlet (the combo is not
    // cleared first). A database error is reported; the nozzles added
    // before it stay.
    void FillNozzles(long nEmitterKey);

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

    BOOL m_bInitialised = FALSE;
    CPickerView* m_pView = nullptr;

    DECLARE_MESSAGE_MAP()
};
