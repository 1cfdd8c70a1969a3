// Copying components from one open component database into another, without
// windows: a component with its Tapes row, the items of an assembly and the
// nozzles of an outlet, each item and nozzle matched with an equal component
// the target already has or pasted in turn (an item that is itself an
// assembly or an outlet brings its own rows), every key mapped into the
// target's keys.
//
// A component and everything it takes along is pasted in one transaction on
// the target: a failure part-way rolls the whole component back, so the
// target never holds half of one. Failures are the database layer's
// exceptions, which the caller reports.
#pragma once

#include "database/records/ComponentRecords.h"

#include <map>
#include <vector>

namespace kvgrid {

class CComponentPaste
{
public:
    // Both connections open; they must be two different databases.
    CComponentPaste(CDatabase* pSource, CDatabase* pTarget);
    ~CComponentPaste();
    CComponentPaste(const CComponentPaste&) = delete;
    CComponentPaste& operator=(const CComponentPaste&) = delete;

    // What a paste did.
    struct Outcome
    {
        long nKey = -1;              // the component's key in the target; -1: the source has none
        BOOL bAdded = FALSE;         // a new component (FALSE: an equal one was there)
        BYTE nDatabaseNumber = 0;    // its [Database Number] and [Flags] in the target
        long nFlags = 0;
        CString strDescription;      // its description (trailing blanks removed)
    };

    // Pastes the component of a source key. nDatabaseNumber, when not 0, is
    // the [Database Number] it takes in the target (a valve pasted as another
    // hydraulic item and back); the items and nozzles it brings keep theirs.
    // An equal component in the target (the same description, warehouse code
    // and database number) is used as it is: nothing is added for it. A
    // component pasted earlier by this object is not pasted again. Throws
    // (after rolling back all of this component) when the target refuses.
    Outcome Paste(long nSourceKey, BYTE nDatabaseNumber = 0);

    // Totals over the pastes that succeeded: components added (items and
    // nozzles included), equal ones used, rows naming a component the source
    // no longer has (left out).
    int GetAddedCount() const { return m_nAdded; }
    int GetMatchedCount() const { return m_nMatched; }
    int GetSkippedLinkCount() const { return m_nSkippedLinks; }
    // The descriptions of the tapes pasted without a Tapes row of their own
    // (the source had none; the target's row holds empty values).
    const std::vector<CString>& GetTapesWithoutValues() const { return m_tapesWithoutValues; }

private:
    struct Writers;
    long PasteOne(long nSourceKey, BYTE nDatabaseNumber, Writers& writers, Outcome* pOutcome);
    long MapSymbol(long nSourceSymbol);

    CDatabase* m_pSource;
    CDatabase* m_pTarget;
    // Source key -> target key, of the components pasted or matched.
    std::map<long, long> m_keys;
    // Source symbol key -> target symbol key.
    std::map<long, long> m_symbols;
    // The source keys and symbols mapped by the paste running.
    std::vector<long> m_journal;
    std::vector<long> m_symbolJournal;
    int m_nAdded = 0;
    int m_nMatched = 0;
    int m_nSkippedLinks = 0;
    std::vector<CString> m_tapesWithoutValues;
};

} // namespace kvgrid
