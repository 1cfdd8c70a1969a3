// The components copied for Paste Component, without the windows: the keys
// copied, in the order collected, the database they come from, and the
// database they go to (that of the window activated last). One object for
// the program, which the main frame owns and makes current; the database
// windows tell it when they are activated and closed.
#pragma once

#include "platform/framework/base/String.h"

#include <vector>

class CCopiedComponents
{
public:
    CCopiedComponents() = default;
    CCopiedComponents(const CCopiedComponents&) = delete;
    CCopiedComponents& operator=(const CCopiedComponents&) = delete;
    ~CCopiedComponents();

    // The program's object (null when none is current); MakeCurrent makes
    // this one current until it goes.
    static CCopiedComponents* Current();
    void MakeCurrent();

    // Copy: the keys replace those copied before, from this database.
    void Copy(const CString& sourcePath, const std::vector<long>& keys);
    const std::vector<long>& GetKeys() const { return m_keys; }
    void ClearKeys() { m_keys.clear(); }
    const CString& GetSourcePath() const { return m_strSourcePath; }
    void SetSourcePath(const CString& path) { m_strSourcePath = path; }

    // The database a paste goes to: that of the window activated last.
    const CString& GetTargetPath() const { return m_strTargetPath; }
    void SetTargetPath(const CString& path) { m_strTargetPath = path; }

    // A database window closes: a copy from its database (the path compared
    // without case) can no longer be pasted.
    void SourceClosed(const CString& path);
    // Whether there is something to paste, the source database being open.
    BOOL CanPaste(BOOL bSourceOpen) const { return !m_keys.empty() && !m_strSourcePath.IsEmpty() && bSourceOpen; }
    // A paste into the database copied from (the paths the same to the
    // letter).
    BOOL IsWithinDatabase() const { return m_strSourcePath == m_strTargetPath; }

private:
    CString m_strSourcePath;
    CString m_strTargetPath;
    std::vector<long> m_keys;
};
