// The editor bases under test: a view that records what the editors ask of
// it, the main grid in a real window over a scratch copy of the sample
// database, small test editors on the test templates, and an application
// object that answers and records the message boxes.
#pragma once

#include "editors/base/window/ComponentDialog.h"
#include "editors/base/window/LineDialog.h"
#include "editors/base/window/SymbolDialog.h"
#include "grids/window/GridWindow.h"
#include "tests/editors/base/window/EditorTestRes.h"
#include "tests/support/HostWindow.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace editortest {

// The view the editors are opened by.
class CFakeView : public CEditorView
{
public:
    BOOL Connect(const std::string& path);
    void Disconnect();

    CDatabase* GetDatabase() const override { return m_pDatabase; }
    // The diameter as it is given, unless a test converts it.
    OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                      int nUnit) override
    {
        return result = convertNominal ? convertNominal(diameter, nUnit) : diameter;
    }
    std::function<OZU_DiameterValue(const OZU_DiameterValue&, int)> convertNominal;
    int GetFieldLength(int nColumn) const override;
    BOOL IsStartingUp() const override { return FALSE; }
    CGridState& GetGridState() override { return m_state; }
    void OnAddComponent() override {}
    void OnEditComponent() override {}
    void OnAddToAssembly() override {}
    void OnAddNozzle() override {}
    void ShowColourPopup(const CRect&, long) override {}
    void ShowLineTypePopup(const CRect&, long, long) override {}
    void AddToAssembly(long) override {}
    void EditComponentByKey(long) override {}
    void ShowComponentInCurveFit(long) override {}
    void OnRemoveNozzle() override {}
    CString GetTableSortOrder(int) override { return CString(); }

    CWnd* GetEditorParent() override { return pParent; }
    BOOL SaveComponent(OZU_ComponentDialog* pEditor) override;
    void EndEdit() override { calls.push_back("endEdit"); }
    void ClearCurrentDialog(OZU_ComponentDialog* pEditor) override;
    CString GetSymbolFolder() const override { return symbolFolder; }

    CWnd* pParent = nullptr;
    CString symbolFolder;
    // What the editors asked, in order: "save", "endEdit", "clear".
    std::vector<std::string> calls;
    int Count(const std::string& call) const;
    // The answers of the next stores (TRUE when none is queued), and what
    // each store does besides.
    std::deque<BOOL> storeAnswers;
    std::function<void(OZU_ComponentDialog*)> onSave;
    // The editor the view holds (set by the test, cleared by the editor).
    OZU_ComponentDialog* pOpen = nullptr;
    // The members the editor had when the view stored it.
    struct Stored
    {
        std::string description, warehouseCode, supplierCode, usage, label;
        float wholesale = 0, retail = 0;
        long flags = 0;
    };
    std::vector<Stored> stored;

private:
    CDatabase* m_pDatabase = nullptr;
    std::vector<int> m_fieldLengths;
    CGridState m_state;
};

// Counts the test editors deleted.
extern int g_nEditorsDeleted;

// The leaves under test: each opens itself on its test template, as every
// editor does, and saves in its OK as every editor does.
template <class Base, UINT nDefaultTemplate>
class CTestLeaf : public Base
{
public:
    CTestLeaf(CGridWindow* pGrid, CRecords* pRecord, OZU_UnitSettings* pUnits, CEditorView* pView,
              UINT nIDTemplate = nDefaultTemplate)
        : Base(pGrid, pRecord, pUnits, pView)
    {
        this->OpenWindow(nIDTemplate);
    }
    ~CTestLeaf() override { g_nEditorsDeleted++; }

protected:
    void OnOK() override
    {
        Base::OnOK();
        this->FinishOK();
    }
};

using CTestEditor = CTestLeaf<OZU_ComponentDialog, IDD_TEST_EDITOR>;
using CTestLineEditor = CTestLeaf<OZU_LineDialog, IDD_TEST_LINE_EDITOR>;
using CTestSymbolEditor = CTestLeaf<OZU_SymbolDialog, IDD_TEST_SYMBOL_EDITOR>;

// A message box the editors showed.
struct Box
{
    std::string text;
    UINT type;
};

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The record of a component as the view hands it to an editor opened
    // on it (read by key, the recordset closed again).
    CRecords& Record(long nKey);
    // A record for a new component of a kind, with the grid on its append
    // row and the view adding, as Add Item leaves them.
    CRecords& NewRecord(BYTE nDatabaseNumber, long nFlags = 0);
    // Opens a test editor; the view holds it.
    template <class Editor>
    Editor* Open(CRecords& record)
    {
        auto* pEditor = new Editor(m_pGrid, &record, &m_units, &m_view);
        m_view.pOpen = pEditor;
        return pEditor;
    }

    // The open editor's caption (its title), and its controls.
    std::string Caption(OZU_ComponentDialog* pEditor);
    std::string Text(OZU_ComponentDialog* pEditor, int nID);
    void Type(OZU_ComponentDialog* pEditor, int nID, const char* text);
    void Press(OZU_ComponentDialog* pEditor, int nID);
    std::string Selected(OZU_ComponentDialog* pEditor, int nID);
    std::vector<std::string> Items(OZU_ComponentDialog* pEditor, int nID);
    BOOL Enabled(OZU_ComponentDialog* pEditor, int nID);

    std::string Query(const std::string& sql);
    long QueryLong(const std::string& sql);
    void Run(const std::string& sql);

    // The message boxes shown; the answers of the next ones (IDOK or IDYES
    // when none is queued); what the next box does before it is answered.
    std::vector<Box> m_boxes;
    std::deque<int> m_answers;
    std::function<void()> m_onBox;

    kvtest::CHostWnd m_host;    // holds the main grid
    kvtest::CHostWnd m_owner;   // the editors' parent, standing in for the view
    CGRRecordInfoWnd m_info;
    CGridWindow* m_pGrid = nullptr;
    CFakeView m_view;
    OZU_UnitSettings m_units;
    std::string m_path;
    std::deque<std::unique_ptr<CRecords>> m_records;
};

} // namespace editortest
