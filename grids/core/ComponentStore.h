// The component database work of the component grid that needs no window:
// the duplicate test, the store of a component by its key, the assembly and
// nozzle rows that follow a copied component, the users of a component,
// assembly building and nozzle assignment, and the delete of components with
// the rows that belong to them.
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
// connection has transactions; a CDBException saying why when the database
// refuses to begin one, so that nothing is changed that could not be
// undone), committed by Commit, rolled back when it goes uncommitted. Made
// inside another change, it is a part of that one.
class CChangeTransaction
{
public:
    explicit CChangeTransaction(CDatabase* pDatabase);
    ~CChangeTransaction();
    CChangeTransaction(const CChangeTransaction&) = delete;
    CChangeTransaction& operator=(const CChangeTransaction&) = delete;
    // Commits; when the database refuses, the whole change is undone and a
    // CDBException says so and why.
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
// With bTestDuplicate, a component of the same database number,
// description and warehouse code (other than itself) refuses the store. The
// design program is to be told of a new component, and of a changed pipe or
// tape unless the tape's Tapes row existed. All or nothing.
ComponentStoreResult StoreComponentByKey(CDatabase* pDatabase, const ComponentFields& record,
                                         const TapeFields& tape, BOOL bTestDuplicate = TRUE);

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

// One row of a side grid (the items of an assembly, the nozzles of an
// outlet, the outlets that use a nozzle): the component the row names and
// the texts shown of it.
struct SideGridRow
{
    long nKey = 0;              // the component the row names
    BOOL bExists = FALSE;       // FALSE: the row names a component that is gone
    int nDatabaseNumber = 0;
    CString strDescription;     // without trailing blanks, as are the other texts
    CString strWarehouseCode;
    CString strSupplierCode;
    CString strUsage;
    float fQuantity = 0.0f;     // an assembly's item: its [Number/Length] as stored
};

// The items of an assembly: one row per Assemblies row, in the table's
// order, each with its stored quantity; an item whose component is gone
// gives a row that does not exist.
std::vector<SideGridRow> ReadAssemblyItems(CDatabase* pDatabase, long nAssemblyKey);
// The nozzles an outlet can carry: one row per Nozzles row, in the table's
// order; a nozzle that is gone gives a row that does not exist.
std::vector<SideGridRow> ReadOutletNozzles(CDatabase* pDatabase, long nEmitterKey);
// The outlets that use a nozzle, in the sort order given (a sort of the
// Components columns; empty: the table's order).
std::vector<SideGridRow> ReadNozzleOutlets(CDatabase* pDatabase, long nNozzleKey, const CString& strSort);

// Deletes the first Assemblies row of the assembly that names the item with
// this quantity (as stored); TRUE when there was one.
BOOL RemoveAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float fQuantity);
// Deletes every Nozzles row that gives the outlet the nozzle; the number
// deleted.
int RemoveNozzleLinks(CDatabase* pDatabase, long nEmitterKey, long nNozzleKey);
// An outlet with no Nozzles row left loses the has-nozzles bit of [Flags];
// TRUE when the bit was cleared.
BOOL ClearNozzleFlagWhenNone(CDatabase* pDatabase, long nEmitterKey);

// Deletes components with the rows that belong to them: the Assemblies rows
// holding them as items and their own items, the nozzle list of an outlet,
// the Tapes row of a tape. The Nozzles rows of outlets that list a deleted
// nozzle stay (the outlets show it as deleted). All or nothing.
void DeleteComponents(CDatabase* pDatabase, const std::vector<long>& keys);

} // namespace kvgrid
