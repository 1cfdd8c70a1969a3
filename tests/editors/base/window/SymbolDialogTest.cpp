// The symbol editor base: the symbol of the component and the blank-symbol
// question, its size range, its own colours, and a symbol drawing picked
// from the symbol folder in the locked file dialog.
#include "tests/editors/base/window/EditorTestSupport.h"
#include "editors/base/window/EditorBaseRes.h"
#include "tests/support/TimerScript.h"

#include <dlgs.h>

#include <cstdlib>
#include <fstream>

using namespace editortest;

namespace {

class SymbolDialogTest : public EditorTest
{
protected:
    struct Symbol
    {
        long nSymbol = -1, nSymbolFile = -1;
        COLORREF colour = 0xFFFFFFFF;
        float size = -1;
    } m_symbol;
    void SetUp() override
    {
        EditorTest::SetUp();
        m_view.onSave = [this](OZU_ComponentDialog* p) {
            auto* pSymbol = dynamic_cast<OZU_SymbolDialog*>(p);
            ASSERT_TRUE(pSymbol);
            m_symbol.nSymbol = pSymbol->m_nSymbol;
            m_symbol.nSymbolFile = pSymbol->m_nSymbolFile;
            m_symbol.colour = pSymbol->m_crSymbolColour;
            m_symbol.size = pSymbol->m_fSymbolSize;
        };
    }
    OZU_SymbolDialog* OpenSymbol(CRecords& record)
    {
        return static_cast<OZU_SymbolDialog*>(Open<CTestSymbolEditor>(record));
    }
    BOOL Checked(OZU_ComponentDialog* pEditor)
    {
        return ::IsDlgButtonChecked(pEditor->GetSafeHwnd(), IDC_USE_SYMBOL_COLOURS) == BST_CHECKED;
    }
    void Click(OZU_ComponentDialog* pEditor, int nID)
    {
        ::SendMessageA(::GetDlgItem(pEditor->GetSafeHwnd(), nID), BM_CLICK, 0, 0);
    }

    // A symbol folder holding drawings of these names.
    CString SymbolFolder(std::initializer_list<const char*> files)
    {
        std::string folder = kvtest::ScratchDir(kvtest::TestName() + "_symbols");
        for (const char* name : files)
            std::ofstream(folder + "\\" + name) << "drawing";
        return folder.c_str();
    }
    // Presses "..." and, in the file dialog, notes its state, chooses
    // `file` (nothing: cancels).
    struct FileDialogSeen
    {
        bool shown = false, foldersEnabled = true, barVisible = true;
        std::string title;
    };
    FileDialogSeen Browse(OZU_ComponentDialog* pEditor, const char* file)
    {
        FileDialogSeen seen;
        kvtest::TimerScript script([] {
            if (HWND hWnd = ::GetActiveWindow())
                ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        });
        script.Add([&] {
            HWND hDialog = ::GetActiveWindow();
            if (hDialog == nullptr || hDialog == pEditor->GetSafeHwnd())
                return;
            seen.shown = true;
            char title[256] = {};
            ::GetWindowTextA(hDialog, title, sizeof(title));
            seen.title = title;
            seen.foldersEnabled = ::IsWindowEnabled(::GetDlgItem(hDialog, cmb2)) != FALSE;
            HWND hBar = ::FindWindowExA(hDialog, nullptr, "ToolbarWindow32", nullptr);
            seen.barVisible = hBar != nullptr && ::IsWindowVisible(hBar);
            if (file == nullptr) {
                ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            HWND hName = ::GetDlgItem(hDialog, cmb13);
            if (hName == nullptr)
                hName = ::GetDlgItem(hDialog, edt1);
            ::SetWindowTextA(hName, file);
            ::PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
        });
        script.Start();
        Press(pEditor, IDC_BROWSE_SYMBOL);
        EXPECT_FALSE(script.Overran());
        return seen;
    }
};

} // namespace

TEST_F(SymbolDialogTest, AComponentOpensOnItsSymbolSizeAndColour)
{
    auto* pEditor = OpenSymbol(Record(75));   // a solenoid valve
    EXPECT_EQ("Solenoid Valve", Selected(pEditor, IDC_SYMBOL));
    EXPECT_EQ("0.6", Text(pEditor, IDC_SYMBOL_SIZE));
    EXPECT_EQ((COLORREF)220, pEditor->m_wellSymbolColour.GetColor());
    EXPECT_TRUE(pEditor->m_wellSymbolColour.GetPaletteMode());
    EXPECT_FALSE(pEditor->m_wellSymbolColour.GetShowOther());
    EXPECT_FALSE(Checked(pEditor));
    EXPECT_TRUE(Enabled(pEditor, IDC_SYMBOL_COLOUR));
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_symbol.nSymbol);
    EXPECT_EQ(2, m_symbol.nSymbolFile);
    EXPECT_EQ((COLORREF)220, m_symbol.colour);
}

TEST_F(SymbolDialogTest, AMissingSymbolShowsBlankWhichIsAskedAboutOnOK)
{
    CRecords& record = Record(75);
    record.m_nSymbolFile = 999;
    auto* pEditor = OpenSymbol(record);
    EXPECT_EQ("Blank", Selected(pEditor, IDC_SYMBOL));

    m_answers = { IDNO };
    Press(pEditor, IDOK);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Using a blank symbol means that this item will not be visible in an Quorvex design.\n\n"
              "Do you wish to continue?",
              m_boxes[0].text);
    EXPECT_EQ((UINT)MB_YESNO, m_boxes[0].type & MB_TYPEMASK);
    EXPECT_TRUE(pEditor->IsOpen());
    EXPECT_EQ(0, m_view.Count("save"));

    m_answers = { IDYES };
    Press(pEditor, IDOK);
    EXPECT_EQ(1, m_view.Count("save"));
    EXPECT_EQ(1, m_symbol.nSymbol);
    EXPECT_EQ(QueryLong("SELECT [Key] FROM Symbols WHERE [Name] = 'Blank'"), m_symbol.nSymbolFile);
}

TEST_F(SymbolDialogTest, TheSymbolsOwnColoursAreKeptApartFromTheWell)
{
    CRecords& record = Record(75);
    record.m_nColour1 = (long)USE_SYMBOL_COLOURS;
    auto* pEditor = OpenSymbol(record);
    EXPECT_TRUE(Checked(pEditor));
    EXPECT_FALSE(Enabled(pEditor, IDC_SYMBOL_COLOUR));
    EXPECT_EQ((COLORREF)0, pEditor->m_wellSymbolColour.GetColor());

    Click(pEditor, IDC_USE_SYMBOL_COLOURS);   // off: the well's colour
    EXPECT_TRUE(Enabled(pEditor, IDC_SYMBOL_COLOUR));
    pEditor->m_wellSymbolColour.SetColor(RGB(0, 128, 0));
    Click(pEditor, IDC_USE_SYMBOL_COLOURS);   // on again
    EXPECT_EQ(USE_SYMBOL_COLOURS, pEditor->m_crSymbolColour);
    EXPECT_FALSE(Enabled(pEditor, IDC_SYMBOL_COLOUR));
    m_view.storeAnswers = { FALSE };
    Press(pEditor, IDOK);
    EXPECT_EQ(USE_SYMBOL_COLOURS, m_symbol.colour);

    Click(pEditor, IDC_USE_SYMBOL_COLOURS);   // off
    Press(pEditor, IDOK);
    EXPECT_EQ(RGB(0, 128, 0), m_symbol.colour);
}

TEST_F(SymbolDialogTest, TheSymbolSizeLiesBetweenAHundredthAndAHundred)
{
    struct Case
    {
        const char* typed;
        bool accepted;
    } cases[] = { { "0", false }, { "150", false }, { "0.01", true }, { "100", true } };
    for (const Case& c : cases) {
        m_boxes.clear();
        m_view.calls.clear();
        auto* pEditor = OpenSymbol(Record(75));
        Type(pEditor, IDC_SYMBOL_SIZE, c.typed);
        Press(pEditor, IDOK);
        EXPECT_EQ(c.accepted ? 1 : 0, m_view.Count("save")) << c.typed;
        EXPECT_EQ(c.accepted ? 0u : 1u, m_boxes.size()) << c.typed;
        if (c.accepted)
            EXPECT_EQ((float)std::atof(c.typed), m_symbol.size);
        else
            pEditor->DestroyWindow();
    }
}

TEST_F(SymbolDialogTest, WithoutASymbolFolderTheBrowseButtonDoesNothing)
{
    auto* pEditor = OpenSymbol(Record(75));
    FileDialogSeen seen = Browse(pEditor, nullptr);
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ("Solenoid Valve", Selected(pEditor, IDC_SYMBOL));
}

TEST_F(SymbolDialogTest, TheFileDialogKeepsToTheSymbolFolder)
{
    m_view.symbolFolder = SymbolFolder({ "Pump.dwg" });
    auto* pEditor = OpenSymbol(Record(75));
    FileDialogSeen seen = Browse(pEditor, nullptr);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ("Select Symbol", seen.title);
    EXPECT_FALSE(seen.foldersEnabled);
    EXPECT_FALSE(seen.barVisible);
    EXPECT_EQ("Solenoid Valve", Selected(pEditor, IDC_SYMBOL));
}

TEST_F(SymbolDialogTest, AListedDrawingIsSelectedAndANewOneJoinsTheList)
{
    m_view.symbolFolder = SymbolFolder({ "pump.dwg", "Sprinkler Head.dwg" });
    const long nSymbols = QueryLong("SELECT count(*) FROM Symbols");
    auto* pEditor = OpenSymbol(Record(75));

    // "pump" is the listed "Pump", whatever the letters' case.
    Browse(pEditor, "pump.dwg");
    EXPECT_EQ("Pump", Selected(pEditor, IDC_SYMBOL));
    EXPECT_EQ(nSymbols, QueryLong("SELECT count(*) FROM Symbols"));

    Browse(pEditor, "Sprinkler Head.dwg");
    EXPECT_EQ("Sprinkler Head", Selected(pEditor, IDC_SYMBOL));
    EXPECT_EQ(nSymbols + 1, QueryLong("SELECT count(*) FROM Symbols"));
    const long nKey = QueryLong("SELECT [Key] FROM Symbols WHERE [Name] = 'Sprinkler Head'");
    Press(pEditor, IDOK);
    EXPECT_EQ(nKey, m_symbol.nSymbolFile);
}
