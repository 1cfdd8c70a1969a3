#include "app/state/CopiedComponents.h"

namespace {
CCopiedComponents* g_pCurrent = nullptr;
}

CCopiedComponents::~CCopiedComponents()
{
    if (g_pCurrent == this)
        g_pCurrent = nullptr;
}

CCopiedComponents* CCopiedComponents::Current()
{
    return g_pCurrent;
}

void CCopiedComponents::MakeCurrent()
{
    g_pCurrent = this;
}

void CCopiedComponents::Copy(const CString& sourcePath, const std::vector<long>& keys)
{
    m_keys = keys;
    m_strSourcePath = sourcePath;
}

void CCopiedComponents::SourceClosed(const CString& path)
{
    if (path.IsEmpty() || m_strSourcePath.CompareNoCase(path) != 0)
        return;
    m_strSourcePath.Empty();
    m_keys.clear();
}
