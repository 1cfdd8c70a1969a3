// Every menu of the program: within one menu, no two items share their
// keyboard letter, so that Alt and a letter reaches the item it names
// instead of the first of several.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK CollectMenu(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    // The program's menus have numbers for names.
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<LPCSTR>*>(param)->push_back(name);
    return TRUE;
}

// The letter after a single "&" (none for "&&" only).
char Mnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); i++) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            i++;
            continue;
        }
        return (char)std::toupper((unsigned char)text[i + 1]);
    }
    return 0;
}

// Items whose texts are the program's own and share a letter on purpose:
// Alt+E, R moves between Redo and Undo Record instead of choosing one.
bool SharedOnPurpose(const std::string& a, const std::string& b)
{
    auto named = [&](const char* x, const char* y) { return a.rfind(x, 0) == 0 && b.rfind(y, 0) == 0; };
    return named("Undo &Record", "&Redo") || named("&Redo", "Undo &Record");
}

void ExpectDistinctLetters(HMENU hMenu, const std::string& where)
{
    std::map<char, std::string> seen;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        char text[256] = {};
        ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
        const std::string item(text);
        if (const char letter = Mnemonic(item)) {
            auto [it, added] = seen.emplace(letter, item);
            EXPECT_TRUE(added || SharedOnPurpose(item, it->second)) << where << ": \"" << item << "\" and \"" << it->second << "\" share '" << letter
                               << "'";
        }
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            ExpectDistinctLetters(hSub, where + " > " + item);
    }
}

} // namespace

TEST(MenuTemplates, NoTwoItemsOfAMenuShareTheirLetter)
{
    HMODULE hModule = ::GetModuleHandleA(nullptr);
    std::vector<LPCSTR> ids;
    ::EnumResourceNamesA(hModule, RT_MENU, CollectMenu, (LONG_PTR)&ids);
    ASSERT_FALSE(ids.empty());
    for (LPCSTR id : ids) {
        HMENU hMenu = ::LoadMenuA(hModule, id);
        ASSERT_NE(nullptr, hMenu) << (int)(ULONG_PTR)id;
        ExpectDistinctLetters(hMenu, "menu " + std::to_string((int)(ULONG_PTR)id));
        ::DestroyMenu(hMenu);
    }
}
