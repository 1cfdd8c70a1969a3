// The component grid in a real window over a scratch copy of the sample
// database: a view that holds the connection and the nominal-size table and
// records the commands the grid starts, the grid framed by a
// record-information window, a private registry for the grid's settings,
// and recorders for every message box.
#pragma once

#include "database/records/NominalTable.h"
#include "grids/window/GridView.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "tests/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gridwindowtest {

// The view the grid sits in: the database and its nominal-size table, the
// text widths of the Components columns, the state it shares with the grid,
// and a record of the commands and pickers the grid starts.
class CRecordingView : public CGridView
{
public:
    // Connects to the database file and opens its nominal-size table.
    BOOL Connect(const std::string& path);
    void Disconnect();

    CDatabase* GetDatabase() const override { return m_pDatabase; }
    OZU_DiameterValue& ConvertNominal(OZU_DiameterValue& result, const OZU_DiameterValue& diameter,
                                      int nUnit) override;
    int GetFieldLength(int nColumn) const override;
    BOOL IsStartingUp() const override { return FALSE; }
    CGridState& GetGridState() override { return m_state; }
    DWORD GetOptions() const override { return options; }
    DWORD options = 0;

    std::vector<std::string> calls;
    void OnAddComponent() override { calls.push_back("add"); }
    void OnEditComponent() override { calls.push_back("edit"); }
    void OnAddToAssembly() override { calls.push_back("addToAssembly"); }
    void OnAddNozzle() override { calls.push_back("addNozzle"); }
    // What runs while a picker is open.
    std::function<void()> onPicker;
    void ShowColourPopup(const CRect&, long nColour) override
    {
        calls.push_back("colour " + std::to_string(nColour));
        if (onPicker)
            onPicker();
    }
    void ShowLineTypePopup(const CRect&, long nLineType, long nRow) override
    {
        calls.push_back("lineType " + std::to_string(nLineType) + " row " + std::to_string(nRow));
        if (onPicker)
            onPicker();
    }
    void AddToAssembly(long nKey) override { calls.push_back("addToAssembly " + std::to_string(nKey)); }
    void EditComponentByKey(long nKey) override { calls.push_back("editByKey " + std::to_string(nKey)); }
    void ShowComponentInCurveFit(long nKey) override { calls.push_back("curveFit " + std::to_string(nKey)); }
    void OnRemoveNozzle() override { calls.push_back("removeNozzle"); }
    CString GetTableSortOrder(int nTableType) override { return kvgrid::GetDefaultSortOrder(nTableType); }
    CGridFrame* GetGridFrame() override { return pFrame; }
    CGridFrame* pFrame = nullptr;

private:
    CDatabase* m_pDatabase = nullptr;
    CNominalTable* m_pNominalTable = nullptr;
    std::vector<int> m_fieldLengths;  // by 0-based Components column
    CGridState m_state;
};

// A grid that records the component operations its keys and clicks start
// (and runs them too with passThrough), and answers the quantity of an
// assembly item from `quantities` (a cancel when it is empty) unless
// realQuantityDialog asks the user.
class CRecordingGrid : public CGridWindow
{
public:
    explicit CRecordingGrid(CGridView* pView) : CGridWindow(pView) {}
    std::vector<std::string> calls;
    bool passThrough = false;
    void DeleteSelected() override
    {
        calls.push_back("delete");
        if (passThrough)
            CGridWindow::DeleteSelected();
    }
    void AddToAssembly(long nKey) override
    {
        calls.push_back("addToAssembly " + std::to_string(nKey));
        if (passThrough)
            CGridWindow::AddToAssembly(nKey);
    }
    void AddNozzleToEmitter() override
    {
        calls.push_back("addNozzle");
        if (passThrough)
            CGridWindow::AddNozzleToEmitter();
    }

    // What the quantity question was asked with, and the answers.
    struct Question
    {
        bool bLength;
        std::string description;
        float offered;
    };
    std::vector<Question> questions;
    std::vector<float> quantities;
    bool realQuantityDialog = false;
    BOOL AskItemQuantity(BOOL bLength, const CString& description, float& fQuantity) override
    {
        questions.push_back({ bLength != FALSE, description.str(), fQuantity });
        if (realQuantityDialog)
            return CGridWindow::AskItemQuantity(bLength, description, fQuantity);
        if (quantities.empty())
            return FALSE;
        fQuantity = quantities.front();
        quantities.erase(quantities.begin());
        return TRUE;
    }
};

// Side grids that remember what they were asked to show.
class CRecordingAssemWnd : public CAssemWnd
{
public:
    std::vector<long> refreshed;
    int nCleared = 0;
    void Refresh(CRecordset* pRecord) override
    {
        CAssemWnd::Refresh(pRecord);
        refreshed.push_back(GetShownKey());
    }
    void ClearGrid() override
    {
        nCleared++;
        CAssemWnd::ClearGrid();
    }
};

class GridWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the grid (again) and shows a table as the view's tab change does.
    void MakeGrid();
    void DestroyGrid();
    void Show(int nTableType);

    // The first column of the first row of a query on the database.
    std::string Query(const std::string& sql);
    long QueryLong(const std::string& sql);

    // Shows hidden columns of the shown table (only shown columns can be
    // edited).
    void ShowColumns(std::initializer_list<int> columns);
    // The component key of a grid row.
    long KeyOfRow(ROWCOL nRow);
    // Types text into a cell's editor as a user does (the editor opens on
    // the current cell); the text is checked when the editor closes.
    void TypeIntoCell(ROWCOL nRow, ROWCOL nCol, const char* text);
    // Ends the cell's edit and stores the row; TRUE when both worked.
    BOOL StoreRow(CString* pError = nullptr);
    CString EditorText();

    // Display units: the metric preset with changes.
    OZU_UnitSet& Units();
    void ApplyUnits();

    // Texts of the message boxes shown since the last call, and the answer
    // the next ones get.
    std::vector<std::string> TakeMessages();
    int m_nAnswer = IDOK;

    std::string m_path;
    CRecordingView* m_pView = nullptr;
    CWnd m_parent;
    CGRRecordInfoWnd m_info;
    CRecordingGrid* m_pGrid = nullptr;
    CRecordingAssemWnd m_assem;
    std::vector<std::string> m_messages;
    std::unique_ptr<kvtest::MessageBoxWatcher> m_boxes;
};

} // namespace gridwindowtest
