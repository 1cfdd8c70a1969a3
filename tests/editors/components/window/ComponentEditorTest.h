// The component editors under test: the editor bases' test view and main
// grid over a copy of the sample database, with the sample's nominal-size
// table converting diameters, and a view store that does what the main
// view's does: the editor's values written into the component's stored
// row (FillComponentRecords) and stored by the grid by key.
#pragma once

#include "database/records/NominalTable.h"
#include "editors/components/window/ComponentEditorsRes.h"
#include "editors/components/window/EditorFactory.h"
#include "tests/editors/base/window/EditorTestSupport.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace componenttest {

class ComponentEditorTest : public editortest::EditorTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The display units: metric, or the US preset.
    void UseUnits(bool bMetric);

    // Opens the editor of a stored component's kind on it, as an edit of
    // the component (a tape with its Tapes row).
    OZU_ComponentDialog* OpenKey(long nKey);
    // Opens the editor of a kind for a new component.
    OZU_ComponentDialog* OpenNew(BYTE nDatabaseNumber, long nFlags = 0);

    // The first component of a kind that is not an assembly.
    long FirstOf(int nDatabaseNumber, long nFlags = 0);
    // The stored texts of a component's 36 columns (1-based: [0] unused),
    // and of its Tapes row's 12.
    std::vector<std::string> Row(long nKey);
    std::vector<std::string> TapeRow(long nKey);
    // The number a column holds.
    double Number(long nKey, const char* column);
    std::string Text(long nKey, const char* column);
    using EditorTest::Text;
    // The texts of the editor's edits and combos, by control id.
    std::map<int, std::string> Shown(OZU_ComponentDialog* pEditor);

    HWND Control(OZU_ComponentDialog* pEditor, int nID) { return ::GetDlgItem(pEditor->GetSafeHwnd(), nID); }
    // Types into an edit, or selects the entry of a drop-down list that is
    // the text and tells the dialog, as a click does.
    void Enter(OZU_ComponentDialog* pEditor, int nID, const char* text);

    // A number a column is to hold.
    struct StoredNumber
    {
        const char* column;
        double value;
    };
    // Fields typed into the editor of a stored component, in metric or US
    // units, and what OK is to store: numbers and texts of its Components
    // columns, and numbers of its Tapes row.
    struct TypedFields
    {
        const char* kind;
        bool bMetric;
        long nKey;
        std::vector<std::pair<int, const char*>> typed;
        std::vector<StoredNumber> numbers;
        std::vector<std::pair<const char*, const char*>> texts;
        std::vector<StoredNumber> tapeNumbers;   // Tapes columns, as "[Reals1]"...
    };
    // Opens the editor on the component, types the fields, presses OK and
    // checks what is stored.
    void ExpectTypedFieldsStored(const TypedFields& c);

    // Open, OK and reopen of a stored component: its row and Tapes row are
    // as they were (the row as normalise makes it), and the editor shows
    // what it showed.
    void ExpectRoundTrip(long nKey,
                         const std::function<std::vector<std::string>(std::vector<std::string>)>& normalise);

    // The captions of a stored component's editor that name display units,
    // in metric or US units: control id and the unit's name.
    struct UnitCaptions
    {
        long nKey;
        bool bMetric;
        std::vector<std::pair<int, const char*>> captions;
    };
    void ExpectUnitCaptions(const UnitCaptions& c);
    // The title of the editor of a new component of a kind while an
    // assembly is built.
    struct AssemblyTitle
    {
        BYTE nDatabaseNumber;
        long nFlags;
        const char* title;
    };
    void ExpectAssemblyTitle(const AssemblyTitle& c);

    // A value typed into one field of a stored component's editor that OK
    // refuses with a message (a part of it given).
    struct Refusal
    {
        long nKey;
        int nID;
        const char* typed;
        const char* message;
        int nFocus = 0;   // the field with the focus afterwards; 0: the one typed into
    };
    // Types the value and presses OK: the editor stays open with the
    // message shown and the focus on the field, and nothing is stored.
    void ExpectRefused(const Refusal& c);

    // The key the last store gave or kept (-1 before any).
    long m_nStoredKey = -1;
    int m_nOpenKind = -1;
    long m_nOpenKey = -1;

private:
    BOOL Store(OZU_ComponentDialog* pEditor);

    std::unique_ptr<CNominalTable> m_pNominal;
    std::unique_ptr<CTapeExtras> m_pTapeRow;
};

} // namespace componenttest
