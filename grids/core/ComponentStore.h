// The component database work of the component grid that needs no window:
// the duplicate test, the store of a component by its key, the assembly and
// nozzle rows that follow a copied component, the users of a component,
// assembly building and nozzle assignment, and the delete of components with
// every row that names them.
//
// Everything runs on the connection given. Failures are the database layer's
// exceptions (CDBException, CMemoryException); an operation that changes
// several rows does so in one transaction, rolled back before the exception
// leaves it, so that a failure part-way leaves every row as it was.
#pragma once

#include "database/records/ComponentRecords.h"

#include <vector>

namespace kvgrid {

// A transaction for the time of one change: begun when made (where the
// connection can), committed by Commit, rolled back when it goes uncommitted.
class CChangeTransaction
{
public:
    explicit CChangeTransaction(CDatabase* pDatabase);
    ~CChangeTransaction();
    CChangeTransaction(const CChangeTransaction&) = delete;
    CChangeTransaction& operator=(const CChangeTransaction&) = delete;
    // Commits; throws a CDBException (after rolling back) when the database
    // refuses.
    void Commit();

private:
    CDatabase* m_pDatabase;
    BOOL m_bOpen;
};

// The stored text of a column of a component record (1 to 36, the order of
// "Components") and of a Tapes record (1 to 12), as the grid's cells hold
// them: numbers with '.', reals in the shortest text that reads back as the
// same value, texts as they are.
CString ComponentColumnText(const ComponentFields& record, int nColumn);
CString TapeColumnText(const TapeFields& tape, int nColumn);

// The key of a component of the database number with the description and
// warehouse code (compared without trailing blanks, as the database compares
// text), other than nExcludeKey (-1: none excluded); of the last one when
// there are several; -1 when there is none.
long FindDuplicateComponent(CDatabase* pDatabase, const CString& description, const CString& warehouseCode,
                            long nDatabaseNumber, long nExcludeKey);

// Reads the component of a key; FALSE when there is none.
BOOL ReadComponent(CDatabase* pDatabase, long nKey, ComponentFields& record);

// The store of a component by its [Component Key].
struct ComponentStoreResult
{
    enum Outcome
    {
        duplicate,  // another component has its description and warehouse code: nothing stored
        updated,    // the component's row was changed
        added,      // no row had the key: a new row was added
    };
    Outcome outcome = duplicate;
    long nKey = -1;           // the key of the stored row
    BOOL bAnnounce = FALSE;   // the design program is to be told of the change
};

// Stores [Old id1] to [Flags] of the record into the row of its key, or into
// a new row (with the default [Order]) when no row has it; [Component Key]
// and [Order] of an existing row stay. A tape ([Database Number] 1, [Flags]
// bit 2) also gets its Tapes row, changed or added, from the tape record.
// A component of the same database number, description and warehouse code
// (other than itself) refuses the store. The design program is to be told
// of a new component, and of a changed pipe or tape unless the tape's Tapes
// row existed. All or nothing.
ComponentStoreResult StoreComponentByKey(CDatabase* pDatabase, const ComponentFields& record,
                                         const TapeFields& tape);

// Copies the Assemblies rows of an assembly, or the Nozzles rows of an
// outlet, to another key, in their order; all or none. The number copied.
int CopyAssemblyRows(CDatabase* pDatabase, long nFromKey, long nToKey);
int CopyNozzleRows(CDatabase* pDatabase, long nFromKey, long nToKey);

// A component as the user is told of it.
struct ComponentName
{
    long nKey = 0;
    CString strDescription;
};

// The assemblies (that exist) holding a component as an item, and the
// outlets (that exist) listing a nozzle, in the order the database gives.
std::vector<ComponentName> FindHoldingAssemblies(CDatabase* pDatabase, long nKey);
std::vector<ComponentName> FindOutletsUsingNozzle(CDatabase* pDatabase, long nNozzleKey);

// TRUE when assembly nAssemblyKey holds nKey among its items, or among the
// items of an assembly it holds, at any depth.
BOOL AssemblyContains(CDatabase* pDatabase, long nAssemblyKey, long nKey);

// The number of outlets ([Database Number] 12) among the items of an
// assembly, item nExcludeKey left out.
int CountAssemblyEmitters(CDatabase* pDatabase, long nAssemblyKey, long nExcludeKey);

// The [Number/Length] of the first Assemblies row of the assembly naming the
// item; FALSE when there is none.
BOOL FindAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float& fQuantity);

// Sets the [Number/Length] of the first Assemblies row of the assembly
// naming the item, or adds a row for it.
void StoreAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float fQuantity);

// Gives an outlet a nozzle: a Nozzles row for the pair, and, on the outlet,
// the has-nozzles bit of [Flags] and, when its [Default Nozzle] is blank, the
// first 10 characters of the nozzle's description. FALSE (nothing changed)
// when the pair exists already or either component does not.
BOOL AddNozzleToOutlet(CDatabase* pDatabase, long nEmitterKey, long nNozzleKey);

// Deletes components with every row that names them: the Assemblies rows
// holding them as items and their own items, their Nozzles rows as outlets
// and as nozzles, their Tapes rows. An outlet left with no nozzle by it loses
// the has-nozzles bit of its [Flags]. All or nothing.
void DeleteComponents(CDatabase* pDatabase, const std::vector<long>& keys);

} // namespace kvgrid
