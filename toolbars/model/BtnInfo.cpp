#include "toolbars/model/BtnInfo.h"

#include <cstring>
#include <memory>

OZWBtnInfo::OZWBtnInfo(UINT nID, const BYTE* pData, UINT nDataLen) : m_nID(nID)
{
    SetData(pData, nDataLen);
}

OZWBtnInfo::~OZWBtnInfo()
{
    delete[] m_pData;
}

void OZWBtnInfo::SetData(const BYTE* pData, UINT nDataLen)
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nDataLen = 0;
    if (pData != nullptr && nDataLen > 0) {
        m_pData = new BYTE[nDataLen];
        std::memcpy(m_pData, pData, nDataLen);
        m_nDataLen = nDataLen;
    }
}

OZWBtnInfoArray::~OZWBtnInfoArray()
{
    RemoveAllInfo();
}

void OZWBtnInfoArray::RemoveAllInfo()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetInfo(i);
    RemoveAll();
}

namespace ozwtb {

BOOL BuildButtonStream(const OZWBtnInfoArray& buttons, std::vector<BYTE>& stream)
{
    stream.clear();
    for (INT_PTR i = 0; i < buttons.GetSize(); ++i) {
        const OZWBtnInfo* pInfo = buttons.GetInfo(i);
        if (pInfo == nullptr)
            continue;
        if (pInfo->m_nDataLen > kMaxBtnData) {
            stream.clear();
            return FALSE;
        }
        const UINT id = pInfo->m_nID;
        stream.push_back((BYTE)(id & 0xFF));
        stream.push_back((BYTE)((id >> 8) & 0xFF));
        stream.push_back((BYTE)((id >> 16) & 0xFF));
        stream.push_back((BYTE)((id >> 24) & 0xFF));
        stream.push_back((BYTE)pInfo->m_nDataLen);
        if (pInfo->m_nDataLen > 0)
            stream.insert(stream.end(), pInfo->m_pData, pInfo->m_pData + pInfo->m_nDataLen);
    }
    return TRUE;
}

BOOL ParseButtonStream(const BYTE* pData, UINT nSize, OZWBtnInfoArray& buttons)
{
    if (pData == nullptr)
        return nSize == 0;
    // The records are checked whole before any is kept.
    OZWBtnInfoArray parsed;
    UINT pos = 0;
    while (pos < nSize) {
        if (nSize - pos < kBtnRecordHeader)
            return FALSE;
        const UINT id = (UINT)pData[pos] | ((UINT)pData[pos + 1] << 8) | ((UINT)pData[pos + 2] << 16) |
                        ((UINT)pData[pos + 3] << 24);
        const UINT len = pData[pos + 4];
        pos += kBtnRecordHeader;
        if (nSize - pos < len)
            return FALSE;
        parsed.Add(new OZWBtnInfo(id, pData + pos, len));
        pos += len;
    }
    for (INT_PTR i = 0; i < parsed.GetSize(); ++i)
        buttons.Add(parsed.GetAt(i));
    parsed.RemoveAll();
    return TRUE;
}

} // namespace ozwtb
