// The program's UTF-8 text drawn and measured through CDC as the wide
// functions draw and measure its UTF-16 form, whatever the code page of the
// selected font (the narrow functions would read "m³/h" as "mÂ³/h").
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/DrawingSupport.h"

#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace kvdraw;

namespace {

const char* const kTexts[] = { "m\xC2\xB3/h", "R\xC2\xB2", "\xC3\x98 25 mm\t\xE2\x82\xAC 3" };

// A font of the Western character set: the narrow functions read its text in
// code page 1252.
struct WesternFont
{
    WesternFont()
    {
        LOGFONTA lf = {};
        lf.lfHeight = -16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        ::lstrcpyA(lf.lfFaceName, "Tahoma");
        font.CreateFontIndirect(&lf);
    }
    CFont font;
};

// A canvas with the font selected, black text on white, no background.
struct TextCanvas : Canvas
{
    explicit TextCanvas(const WesternFont& f) : Canvas(240, 60)
    {
        m_hOldFont = ::SelectObject(dc.m_hDC, f.font.m_hObject);
        dc.SetTextColor(kBlack);
        dc.SetBkMode(TRANSPARENT);
    }
    ~TextCanvas() { ::SelectObject(dc.m_hDC, m_hOldFont); }
    // The canvas's pixels, read at once.
    std::vector<DWORD> Bits() const
    {
        std::vector<DWORD> bits((size_t)Width() * Height());
        ::GdiFlush();
        ::GetBitmapBits((HBITMAP)bitmap.m_hObject, (LONG)(bits.size() * sizeof(DWORD)), bits.data());
        return bits;
    }
    // The number of pixels that are not white.
    int Ink() const
    {
        int n = 0;
        for (DWORD p : Bits())
            n += (p & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }
    HGDIOBJ m_hOldFont;
};

std::wstring W(const char* text) { return kvutf::Widen(text); }

} // namespace

TEST(Utf8Text, EachDrawingFunctionDrawsWhatTheWideFunctionDraws)
{
    WesternFont font;
    ASSERT_NE(font.font.m_hObject, nullptr);
    const CRect box(4, 4, 236, 56);
    const CRect narrowBox(4, 4, 30, 56);
    struct Path
    {
        const char* name;
        std::function<void(CDC&, const char*)> narrow;
        std::function<void(HDC, const std::wstring&)> wide;
    };
    const Path paths[] = {
        { "TextOut", [](CDC& dc, const char* t) { dc.TextOut(4, 4, t, (int)std::strlen(t)); },
          [](HDC h, const std::wstring& w) { ::TextOutW(h, 4, 4, w.c_str(), (int)w.size()); } },
        { "TextOut of a CString", [](CDC& dc, const char* t) { dc.TextOut(4, 4, CString(t)); },
          [](HDC h, const std::wstring& w) { ::TextOutW(h, 4, 4, w.c_str(), (int)w.size()); } },
        { "ExtTextOut clipped",
          [&](CDC& dc, const char* t) { dc.ExtTextOut(4, 4, ETO_CLIPPED, narrowBox, t, (UINT)std::strlen(t), nullptr); },
          [&](HDC h, const std::wstring& w) { ::ExtTextOutW(h, 4, 4, ETO_CLIPPED, &narrowBox, w.c_str(), (UINT)w.size(), nullptr); } },
        { "ExtTextOut with advances",
          // One advance a byte: a character's bytes add up to 11 pixels.
          [](CDC& dc, const char* t) {
              INT dx[64];
              const std::string_view s(t);
              for (size_t i = 0; i < s.size();) {
                  const size_t n = kvutf::CharLength(s, i);
                  dx[i] = 11 - 4 * (int)(n - 1);
                  for (size_t k = 1; k < n; k++)
                      dx[i + k] = 4;
                  i += n;
              }
              dc.ExtTextOut(4, 4, 0, nullptr, CString(t), dx);
          },
          [](HDC h, const std::wstring& w) {
              INT dx[64];
              for (size_t i = 0; i < w.size(); i++)
                  dx[i] = 11;
              ::ExtTextOutW(h, 4, 4, 0, nullptr, w.c_str(), (UINT)w.size(), dx);
          } },
        { "TabbedTextOut",
          [](CDC& dc, const char* t) { dc.TabbedTextOut(4, 4, t, (int)std::strlen(t), 0, nullptr, 4); },
          [](HDC h, const std::wstring& w) { ::TabbedTextOutW(h, 4, 4, w.c_str(), (int)w.size(), 0, nullptr, 4); } },
        { "DrawText",
          [&](CDC& dc, const char* t) { CRect r = box; dc.DrawText(t, -1, r, DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS); },
          [&](HDC h, const std::wstring& w) { CRect r = box; ::DrawTextW(h, w.c_str(), -1, r, DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS); } },
        { "DrawText with an ellipsis",
          [&](CDC& dc, const char* t) { CRect r = narrowBox; dc.DrawText(CString(t), r, DT_SINGLELINE | DT_END_ELLIPSIS); },
          [&](HDC h, const std::wstring& w) { CRect r = narrowBox; ::DrawTextW(h, w.c_str(), (int)w.size(), r, DT_SINGLELINE | DT_END_ELLIPSIS); } },
        { "DrawTextEx",
          [&](CDC& dc, const char* t) { CRect r = box; dc.DrawTextEx(CString(t), r, DT_WORDBREAK | DT_CENTER, nullptr); },
          [&](HDC h, const std::wstring& w) {
              std::wstring copy = w;
              CRect r = box;
              ::DrawTextExW(h, copy.data(), (int)copy.size(), r, DT_WORDBREAK | DT_CENTER, nullptr);
          } },
        { "GrayString",
          [](CDC& dc, const char* t) {
              CBrush black(kBlack);
              dc.GrayString(&black, nullptr, (LPARAM)t, 0, 4, 4, 0, 0);
          },
          [](HDC h, const std::wstring& w) {
              ::GrayStringW(h, (HBRUSH)::GetStockObject(BLACK_BRUSH), nullptr, (LPARAM)w.c_str(),
                            (int)w.size(), 4, 4, 0, 0);
          } },
    };
    for (const Path& path : paths) {
        for (const char* text : kTexts) {
            SCOPED_TRACE(testing::Message() << path.name << ": " << text);
            TextCanvas narrow(font), wide(font);
            path.narrow(narrow.dc, text);
            path.wide(wide.dc.m_hDC, W(text));
            EXPECT_GT(wide.Ink(), 10);
            EXPECT_TRUE(narrow.Bits() == wide.Bits());
        }
    }
}

TEST(Utf8Text, MeasuringAgreesWithTheWideFunctions)
{
    WesternFont font;
    TextCanvas c(font);
    for (const char* text : kTexts) {
        SCOPED_TRACE(text);
        const std::wstring w = W(text);
        SIZE expected = {};
        ASSERT_TRUE(::GetTextExtentPoint32W(c.dc.m_hDC, w.c_str(), (int)w.size(), &expected));
        EXPECT_EQ(c.dc.GetTextExtent(text, (int)std::strlen(text)), CSize(expected));
        EXPECT_EQ(c.dc.GetTextExtent(CString(text)), CSize(expected));
        EXPECT_EQ(c.dc.GetOutputTextExtent(CString(text)), CSize(expected));

        const DWORD tabbed = ::GetTabbedTextExtentW(c.dc.m_hDC, w.c_str(), (int)w.size(), 0, nullptr);
        EXPECT_EQ(c.dc.GetTabbedTextExtent(CString(text), 0, nullptr), CSize(LOWORD(tabbed), HIWORD(tabbed)));

        CRect calc(0, 0, 0, 0), wideCalc(0, 0, 0, 0);
        c.dc.DrawText(text, -1, calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        ::DrawTextW(c.dc.m_hDC, w.c_str(), -1, wideCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_EQ(calc, wideCalc);
        EXPECT_EQ(c.Ink(), 0);
    }
    INT width = 0, wideWidth = 0;
    ASSERT_TRUE(c.dc.GetCharWidth(0xB3, 0xB3, &width));
    ::GetCharWidth32W(c.dc.m_hDC, 0xB3, 0xB3, &wideWidth);
    EXPECT_EQ(width, wideWidth);
}

TEST(Utf8Text, AShortenedTextIsWrittenBackAsWholeCharacters)
{
    // DT_MODIFYSTRING writes the text as shown, with its ellipsis, into the
    // caller's buffer: the same text as the wide function's, in UTF-8, cut
    // only between characters, and nothing past the room the caller gives.
    WesternFont font;
    TextCanvas c(font);
    const char* const text = "m\xC2\xB3/h \xC3\x98\xC3\x98\xC3\x98 R\xC2\xB2\xC2\xB2";
    const int nBytes = (int)std::strlen(text);
    const int full = c.dc.GetTextExtent(CString(text)).cx;
    int shortened = 0;
    for (int width = 4; width <= full + 4; width++) {
        SCOPED_TRACE(width);
        char buffer[64];
        std::memset(buffer, '#', sizeof(buffer));
        std::memcpy(buffer, text, (size_t)nBytes);
        std::wstring wide = W(text);
        wide.resize(wide.size() + 5, L'\0');
        CRect r(0, 0, width, 30), wideRect = r;
        const UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT;
        c.dc.DrawText(buffer, nBytes, r, format);
        ::DrawTextW(c.dc.m_hDC, wide.data(), (int)W(text).size(), wideRect, format);
        EXPECT_EQ(r, wideRect);
        const std::string expected = kvutf::Narrow(wide.c_str());
        EXPECT_STREQ(buffer, expected.c_str());
        EXPECT_EQ(kvutf::Narrow(kvutf::Widen(buffer).c_str()), buffer);   // whole characters
        for (int i = nBytes + 4; i < (int)sizeof(buffer); i++)
            ASSERT_EQ(buffer[i], '#') << "written past the room at " << i;
        if (expected != text)
            shortened++;
    }
    EXPECT_GT(shortened, 5);

    // A string's own buffer is never written into.
    const CString s(text);
    CRect r(0, 0, 20, 30);
    c.dc.DrawText(s, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(s, text);
}

TEST(Utf8Text, ControlsShowTheirNarrowWindowTextAsUtf8)
{
    // A control the system draws from its own window text reads that text in
    // the program's code page: a static and an edit given "m³/h" narrow look
    // as they do given it wide.
    WesternFont font;
    const char* const text = "m\xC2\xB3/h";
    for (const char* cls : { "STATIC", "EDIT" }) {
        SCOPED_TRACE(cls);
        HWND narrowWnd = ::CreateWindowExA(0, cls, text, WS_POPUP, 0, 0, 240, 60, nullptr, nullptr, nullptr, nullptr);
        HWND wideWnd = ::CreateWindowExW(0, kvutf::Widen(cls).c_str(), W(text).c_str(), WS_POPUP, 0, 0, 240, 60,
                                         nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(narrowWnd, nullptr);
        ASSERT_NE(wideWnd, nullptr);
        TextCanvas narrow(font), wide(font);
        for (auto [hWnd, canvas] : { std::pair{ narrowWnd, &narrow }, std::pair{ wideWnd, &wide } }) {
            ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)font.font.m_hObject, FALSE);
            ::SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)canvas->dc.m_hDC, PRF_CLIENT);
        }
        EXPECT_GT(wide.Ink(), 10);
        EXPECT_TRUE(narrow.Bits() == wide.Bits());
        ::DestroyWindow(narrowWnd);
        ::DestroyWindow(wideWnd);
    }
}
