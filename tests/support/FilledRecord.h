// A Components record whose every column holds a value of its own, so that
// a column written, lost or mixed up by mistake shows: texts as wide as
// their columns in the skeleton (trailing blanks included), reals that a
// short decimal does not give exactly, both signs, and numbers that none of
// the defaults is.
#pragma once

#include "database/records/ComponentRecords.h"

namespace kvtest {

// Every column but [Component Key], which the database gives.
inline void FillEveryColumn(ComponentFields& r)
{
    r.m_nOldId1 = 1;
    r.m_nOldId2 = -2;
    r.m_nOldId3 = 3;
    r.m_nDatabaseNumber = 99;
    r.m_strDescription = "Spray 'pop-up' 100 mm";
    r.m_strWarehouseCode = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"; // all 32 characters
    r.m_strSupplierCode = "HIS ";
    r.m_strUsage = "LZ ";
    r.m_strMajor1 = "MAJ1  ";
    r.m_strMinor1 = "MIN1  ";
    r.m_strMajor2 = "MAJ2  ";
    r.m_strMinor2 = "MIN2  ";
    float* reals[] = { &r.m_fReals1,  &r.m_fReals2,  &r.m_fReals3,  &r.m_fReals4,  &r.m_fReals5,  &r.m_fReals6,
                       &r.m_fReals7,  &r.m_fReals8,  &r.m_fRextra1, &r.m_fRextra2, &r.m_fRextra3, &r.m_fRextra4 };
    for (int i = 0; i < 12; i++)
        *reals[i] = (i % 2 == 0 ? 1.0f : -1.0f) * (1000.1f + (float)i);
    r.m_nDocumentIndex = 26;
    r.m_nLinetype = 27;
    r.m_nSymbol = 28;
    r.m_fSymbolSize = 0.45f;
    r.m_nSymbolFile = 30;
    r.m_nColour1 = 31;
    r.m_nColour2 = 32;
    r.m_strDefaultNozzle = "Spray nozz";
    r.m_strItemType = "OLD";
    r.m_nFlags = 0x40;
    r.m_nOrder = 36;
}

} // namespace kvtest
