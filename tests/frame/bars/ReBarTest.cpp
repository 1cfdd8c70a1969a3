// The toolkit's rebar: its layout lets the toolkit bars in its bands size
// themselves (other windows are left alone); the size of the band record by
// the system's and the common controls' versions.
#include "tests/frame/bars/BarsFixture.h"

#include "frame/bars/OZWReBar.h"

namespace {

// A toolkit bar that counts the layouts asked of it outside docking.
class CCountingBar : public OZWControlBar
{
public:
    int m_nAsked = 0;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        if (!bStretch)
            ++m_nAsked;
        return OZWControlBar::CalcFixedLayout(bStretch, bHorz);
    }
};

} // namespace

TEST_F(BarsTest, TheRebarLetsItsToolkitBarsSizeThemselves)
{
    OZWReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    CCountingBar* pBar = NewBar<CCountingBar>(100, "In a band", 0, CBRS_TOP);
    CWnd edit;
    ASSERT_TRUE(edit.Create("EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), m_pFrame, 101));
    ASSERT_TRUE(rebar.AddBar(pBar));
    ASSERT_TRUE(rebar.AddBar(&edit));
    ASSERT_EQ(2u, rebar.GetBandCount());
    pBar->m_nAsked = 0;
    const CSize size = rebar.CalcFixedLayout(TRUE, TRUE);
    EXPECT_EQ(1, pBar->m_nAsked);
    EXPECT_GT(size.cy, 0);
    rebar.DestroyWindow();
}

TEST(ReBarBandInfoSize, TheWholeRecordOnlyWithVersionSixOfBoth)
{
    const UINT nWhole = sizeof(REBARBANDINFOA);
    const UINT nShort = CCSIZEOF_STRUCT(REBARBANDINFOA, cxHeader);
    EXPECT_LT(nShort, nWhole);
    struct Case
    {
        DWORD dwMajor;
        DWORD dwComCtl;
        UINT nSize;
    };
    const Case cases[] = {
        { 5, MAKELONG(0, 6), nShort },  // an older system, whatever comctl32 says
        { 6, MAKELONG(80, 5), nShort }, // common controls 5.80
        { 6, 0, nShort },               // no comctl32 or no DllGetVersion
        { 6, MAKELONG(0, 6), nWhole },
        { 10, MAKELONG(16, 6), nWhole },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nSize, ReBarBandInfoSizeFor(c.dwMajor, c.dwComCtl)) << c.dwMajor << " " << c.dwComCtl;
    EXPECT_EQ(0u, GetDllVersion("no-such-library.dll"));
    EXPECT_EQ(0u, GetDllVersion("kernel32.dll")); // no DllGetVersion
    EXPECT_GE(GetDllVersion("comctl32.dll"), (DWORD)MAKELONG(0, 5));
    UINT nSize = 0;
    GetReBarBandInfoSize(nSize);
    EXPECT_TRUE(nSize == nWhole || nSize == nShort);
}
