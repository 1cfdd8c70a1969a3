// What the component editors share beyond their bases: the exchange of a
// value with units that keeps the value as it was loaded while the user
// leaves its text alone, the exchange of a connection type's three parts,
// the unit captions, and the window title while an assembly is built.
#pragma once

#include "editors/base/window/ComponentDialog.h"
#include "editors/components/core/ComponentValues.h"
#include "grids/core/TableType.h"

#include <map>
#include <type_traits>

namespace kvcomponents {

// A value with units is shown in the display unit, rounded to the
// significant digits, so reading the shown text back would change a stored
// value that the user never touched. The editors exchange such values
// through this: a text unchanged since it was shown leaves the value as it
// was loaded (after the same checks as any typed value).
class CShownTexts
{
public:
    // Runs exchange (which exchanges the value with control nIDC), keeping
    // the value as it was when the control still shows the text it was given.
    template <class V, class Fn>
    void Run(CDataExchange* pDX, int nIDC, V& value, Fn&& exchange)
    {
        if (!pDX->m_bSaveAndValidate) {
            exchange();
            m_shown[nIDC] = ControlText(pDX, nIDC);
            return;
        }
        const V loaded = value;
        exchange();
        auto it = m_shown.find(nIDC);
        if (it != m_shown.end() && it->second == ControlText(pDX, nIDC))
            value = loaded;
    }
    // The same for the unit-aware exchanges of OZU_BaseDialog.
    template <class V>
    void Exchange(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, V& value,
                  void (*ddx)(OZU_BaseDialog*, CDataExchange*, int, std::type_identity_t<V>&))
    {
        Run(pDX, nIDC, value, [&] { ddx(pDlg, pDX, nIDC, value); });
    }
    // The value of a control is read as typed at the next save (its text
    // now stands for another value: the field changed its meaning).
    void Forget(int nIDC) { m_shown.erase(nIDC); }

private:
    static CString ControlText(CDataExchange* pDX, int nIDC);

    std::map<int, CString> m_shown;
};

// The view's nominal-size conversion and column widths, as the values of
// the kinds load and store them.
class CViewColumns : public CComponentColumns
{
public:
    explicit CViewColumns(CGridView* pView) : m_pView(pView) {}
    OZU_DiameterValue ConvertNominal(const OZU_DiameterValue& diameter, int nUnit) override;
    int GetFieldLength(int nColumn) const override;

private:
    CGridView* m_pView;
};

// A plain float with its range check.
void ExchangeFloat(CDataExchange* pDX, int nIDC, float& value, float fMin, float fMax);

// A text of fixed width: exchanged and checked against the width.
void ExchangeFixedText(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value, int nWidth);
// The gender of a connection in its combo (" ", "F", "M"): a gender the
// list lacks is added when loading, so that it is kept.
void ExchangeGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, int nIDC, CString& value);

// The three controls of a connection type.
struct ConnectionControls
{
    int nCode;
    int nGender;
    int nSuffix;
};
void ExchangeConnectionCode(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                            ConnectionParts& parts);
void ExchangeConnectionGender(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts);
void ExchangeConnectionSuffix(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                              ConnectionParts& parts);
// Code, gender and suffix, in that order.
void ExchangeConnection(OZU_BaseDialog* pDlg, CDataExchange* pDX, const ConnectionControls& ids,
                        ConnectionParts& parts);

// Sets the text of a control of the dialog, when it has the control.
void SetControlText(CWnd* pDialog, int nIDC, const CString& text);

// The display diameter unit: the unit in which the editors load and show
// nominal diameters.
int DisplayDiameterUnit(const OZU_UnitSettings& units);
// Once an editor of a kind has opened: the captions beside its fields name
// the display units of their quantities, and while an assembly is built the
// title says which kind of assembly it is. The kinds' captions and titles
// are a table, a row per kind.
void ShowKindCaptions(CWnd* pDialog, const OZU_UnitSettings& units, kvgrid::TableType nKind, BOOL bAssemblyMode);

// A coefficient written into its edit as the curve-fit bar hands it over:
// the shortest printf "%g" form.
void ShowCoefficient(CWnd* pDialog, int nIDC, float fValue);

} // namespace kvcomponents
