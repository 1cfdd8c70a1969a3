#include "database/records/TapeRecords.h"

IMPLEMENT_DYNAMIC(CTapeRecords, OZURecordset)

CTapeRecords::CTapeRecords(OZUDatabase* pDatabase) : OZURecordset(pDatabase)
{
    m_nFields = FieldCount;
    m_nDefaultType = dynaset;
}

CTapeRecords::CTapeRecords(const CRecords& record, const CTapeExtras& extras)
    : OZURecordset(nullptr), ComponentFields(record), TapeFields(extras)
{
    m_nFields = record.m_nFields + extras.m_nFields;
    m_nDefaultType = dynaset;
    m_bCheckCacheForDirtyFields = record.m_bCheckCacheForDirtyFields;
    m_pDatabase = record.m_pDatabase;
}

CTapeRecords& CTapeRecords::operator=(const CTapeRecords& other)
{
    if (this == &other)
        return *this;
    ComponentFields::operator=(other);
    TapeFields::operator=(other);
    m_nFields = other.m_nFields;
    m_bCheckCacheForDirtyFields = other.m_bCheckCacheForDirtyFields;
    if (!IsOpen())
        m_pDatabase = other.m_pDatabase;
    m_nDefaultType = dynaset;
    return *this;
}

CTapeRecords::~CTapeRecords() = default;

CString CTapeRecords::GetDefaultSQL()
{
    return "SELECT C.[Component Key], C.[Old id1], C.[Old id2], C.[Old id3], C.[Database Number], "
           "C.[Description], C.[Warehouse Code], C.[Supplier Code], C.[Usage], C.[Major1], C.[Minor1], "
           "C.[Major2], C.[Minor2], C.[Reals1], C.[Reals2], C.[Reals3], C.[Reals4], C.[Reals5], "
           "C.[Reals6], C.[Reals7], C.[Reals8], C.[Rextra1], C.[Rextra2], C.[Rextra3], C.[Rextra4], "
           "C.[Document Index], C.[Linetype], C.[Symbol], C.[Symbol Size], C.[Symbol File], "
           "C.[Colour1], C.[Colour2], C.[Default Nozzle], C.[Item Type], C.[Flags], C.[Order], T.* "
           "FROM `Tapes` T INNER JOIN Components C ON T.`Pipe Key` = C.`Component Key` "
           "WHERE C.[Flags] = 2";
}

void CTapeRecords::DoFieldExchange(CFieldExchange* pFX)
{
    pFX->SetFieldType(CFieldExchange::outputColumn);
    ExchangeComponentFields(pFX, true);
    ExchangeTapeFields(pFX, true);
}

CString CTapeRecords::GetDatabaseName() const
{
    return m_pDatabase != nullptr ? m_pDatabase->GetDatabaseName() : CString();
}
