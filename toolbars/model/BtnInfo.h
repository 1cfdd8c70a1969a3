// A saved toolbar button: its command (0 for a separator) and the data of
// its own that it keeps (a window button's width), and the "Buttons" stream
// a toolbar's buttons are kept in: per button, in order, the command id (4
// bytes, little-endian), the length of its data (1 byte) and the data, with
// no header, count or padding.
#pragma once

#include "platform/framework/Framework.h"

#include <vector>

class OZWBtnInfo
{
public:
    OZWBtnInfo() = default;
    OZWBtnInfo(UINT nID, const BYTE* pData, UINT nDataLen);
    virtual ~OZWBtnInfo();
    OZWBtnInfo(const OZWBtnInfo&) = delete;
    OZWBtnInfo& operator=(const OZWBtnInfo&) = delete;

    // Replaces the data with a copy of nDataLen bytes.
    void SetData(const BYTE* pData, UINT nDataLen);

    UINT m_nID = 0;
    UINT m_nDataLen = 0;
    BYTE* m_pData = nullptr;
};

// The records of one toolbar, owned: deleted when removed or destroyed.
class OZWBtnInfoArray : public CPtrArray
{
public:
    OZWBtnInfoArray() = default;
    ~OZWBtnInfoArray() override;
    OZWBtnInfo* GetInfo(INT_PTR nIndex) const { return static_cast<OZWBtnInfo*>(GetAt(nIndex)); }
    // Deletes every record.
    void RemoveAllInfo();
};

namespace ozwtb {

// The most data one button keeps (its length is stored in one byte).
const UINT kMaxBtnData = 255;
// Bytes of a record before its data.
const UINT kBtnRecordHeader = 5;

// The stream of the records. FALSE, leaving out nothing silently, when a
// record's data is longer than kMaxBtnData.
BOOL BuildButtonStream(const OZWBtnInfoArray& buttons, std::vector<BYTE>& stream);

// Appends the records of a stream. FALSE when the stream does not end at a
// record's end (a record runs past the end of the data): nothing is
// appended then.
BOOL ParseButtonStream(const BYTE* pData, UINT nSize, OZWBtnInfoArray& buttons);

} // namespace ozwtb
