// The tape join: a tape's row of "Components" ([Database Number] 1,
// [Flags] 2) together with its row of "Tapes", as one record of 48 fields.
// The Tape tab browses it, the tape editor edits a copy of it, and pasting a
// tape builds one from a component record and its tape extras.
#pragma once

#include "database/records/ComponentRecords.h"

class CTapeRecords : public OZURecordset, public ComponentFields, public TapeFields
{
    DECLARE_DYNAMIC(CTapeRecords)
public:
    explicit CTapeRecords(OZUDatabase* pDatabase = nullptr);
    // A record on no connection holding the component record's 36 fields and
    // the tape extras' 12; the dirty-field check and database pointer are the
    // component record's.
    CTapeRecords(const CRecords& record, const CTapeExtras& extras);
    // Copies all 48 fields, the field count, dirty-field check and database
    // pointer; the target's own statement and open state are left alone (an
    // open target keeps its connection).
    CTapeRecords& operator=(const CTapeRecords& other);
    ~CTapeRecords() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // The name of the database the connection is open on ("" without one).
    virtual CString GetDatabaseName() const;

    static const UINT FieldCount = ComponentFields::FieldCount + TapeFields::FieldCount;
};
