// Every dialog template of the program, made as the program makes it (its
// font, under the null display driver's metrics): each text of a static
// control, a button, a check box or a group box fits its control, measured
// with the control's own font on a device context.
#include "editors/curvefit/bar/CurveFitDlgBar.h"
#include "tests/support/TextFit.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

std::string TemplateName(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? std::to_string((int)(ULONG_PTR)name) : std::string(name);
}

BOOL CALLBACK CollectTemplate(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(TemplateName(name));
    return TRUE;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The controls a template's dialog is made of need their window classes.
void RegisterControlClasses()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    CCurveFitDlgBar::RegisterControlClasses();
    for (const char* name : { "OZU_GridWnd" })
    {
        WNDCLASSA wc = {};
        if (::GetClassInfoA(::GetModuleHandleA(nullptr), name, &wc))
            continue;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
}

} // namespace

TEST(DialogTemplates, EveryTextFitsItsControl)
{
    RegisterControlClasses();
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    std::vector<std::string> names;
    ::EnumResourceNamesA(hModule, RT_DIALOG, CollectTemplate, (LONG_PTR)&names);
    ASSERT_GT(names.size(), 10u);

    // Child templates (bars, pages) are made in a window of their own.
    HWND hParent = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1200, 1000, nullptr, nullptr, hModule, nullptr);
    ASSERT_NE(nullptr, hParent);
    int nMeasured = 0;
    for (const std::string& name : names)
    {
        SCOPED_TRACE("dialog " + name);
        const bool bNumber = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
        LPCSTR resource = bNumber ? MAKEINTRESOURCEA(std::stoi(name)) : name.c_str();
        HRSRC hInfo = ::FindResourceA(hModule, resource, RT_DIALOG);
        ASSERT_NE(nullptr, hInfo);
        auto* pTemplate = (LPCDLGTEMPLATEA)::LockResource(::LoadResource(hModule, hInfo));
        HWND hDlg = ::CreateDialogIndirectParamA(hModule, pTemplate, hParent, PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg) << "the template could not be made";
        for (HWND hCtrl = ::GetWindow(hDlg, GW_CHILD); hCtrl != nullptr; hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT))
        {
            const kvtest::TextFit fit = kvtest::MeasureTextFit(hCtrl);
            if (!fit.bMeasured)
                continue;
            nMeasured++;
            EXPECT_TRUE(fit.Fits()) << fit.Describe(hCtrl);
        }
        ::DestroyWindow(hDlg);
    }
    ::DestroyWindow(hParent);
    EXPECT_GT(nMeasured, 100);
}
