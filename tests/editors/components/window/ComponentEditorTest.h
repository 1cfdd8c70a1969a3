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

#include <map>
#include <memory>
#include <string>
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
