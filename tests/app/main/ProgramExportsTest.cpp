// The program's export table: the classes and members it offers other
// modules (the dynamic recordset, the dialog-embeddable grid window and the
// colour well's control-class record), read from the executable's export
// directory and named as the compiler declares them.
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cxxabi.h>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The names of a PE file's export directory; empty when it has none.
std::vector<std::string> ExportedNames(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> names;
    auto at = [&](size_t offset, size_t size) { return offset + size <= file.size() ? file.data() + offset : nullptr; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)));
    if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return names;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0)
        return names;
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at((size_t)dos->e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
           sizeof(IMAGE_SECTION_HEADER) * nt->FileHeader.NumberOfSections));
    if (sections == nullptr)
        return names;
    // A relative virtual address as an offset into the file.
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return file.size();
    };
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(at(offsetOf(dir.VirtualAddress), sizeof(IMAGE_EXPORT_DIRECTORY)));
    if (exports == nullptr)
        return names;
    const auto* nameRvas =
        reinterpret_cast<const DWORD*>(at(offsetOf(exports->AddressOfNames), sizeof(DWORD) * exports->NumberOfNames));
    if (nameRvas == nullptr)
        return names;
    for (DWORD i = 0; i < exports->NumberOfNames; i++) {
        const size_t offset = offsetOf(nameRvas[i]);
        if (offset < file.size())
            names.emplace_back(file.data() + offset, strnlen(file.data() + offset, file.size() - offset));
    }
    return names;
}

std::string Demangled(const std::string& name)
{
    int status = 0;
    char* text = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    std::string result = status == 0 && text != nullptr ? text : name;
    std::free(text);
    return result;
}

} // namespace

TEST(ProgramExports, TheGridWindowTheDynamicRecordsetAndTheColourWellsClassRecordAreExported)
{
    const std::vector<std::string> mangled = ExportedNames(kvtest::BinaryPath("bin/Kelvaron.exe"));
    ASSERT_FALSE(mangled.empty());
    std::set<std::string> names;
    for (const std::string& name : mangled)
        names.insert(Demangled(name));

    const char* const expected[] = {
        // The grid window a dialog template can hold: its window class and
        // its life as a control.
        "OZU_GridWnd::RegisterClassA()",
        "OZU_GridWnd::RegisterClassA(HINSTANCE__*)",
        "OZU_GridWnd::UnregisterClassA()",
        "OZU_GridWnd::UnregisterClassA(HINSTANCE__*)",
        "OZU_GridWnd::WndProcHook(HWND__*, unsigned int, unsigned long long, long long)",
        "OZU_GridWnd::PostNcDestroy()",
        "OZU_GridWnd::OZU_GridWnd()",
        // The recordset whose columns are found at run time.
        "CGRDynamicRecordsetEx::CGRDynamicRecordsetEx(OZUDatabase*)",
        "CGRDynamicRecordsetEx::SetSqlQuery(char const*)",
        "CGRDynamicRecordsetEx::SetConnectString(char const*)",
        "CGRDynamicRecordsetEx::GetSqlQuery() const",
        "CGRDynamicRecordsetEx::GetConnectString() const",
        "CGRDynamicRecordsetEx::GetField(unsigned int)",
        "CGRDynamicRecordsetEx::GetFieldData(int, CString&, int)",
        "CGRDynamicRecordsetEx::SetFieldData(int, char const*, CString*, int)",
        "CGRDynamicRecordsetEx::FillChoiceList(CString&, int)",
        // The colour well as a control class of the grid library.
        "OZU_WellButton::GetControlClass() const",
        "OZU_WellButton::_GetControlBaseClass()",
    };
    for (const char* name : expected)
        EXPECT_EQ(1u, names.count(name)) << name;

    // Of the colour well, only its two class-record functions.
    for (const std::string& name : names) {
        if (name.rfind("OZU_WellButton::", 0) == 0) {
            EXPECT_TRUE(name == "OZU_WellButton::GetControlClass() const" ||
                        name == "OZU_WellButton::_GetControlBaseClass()")
                << name;
        }
    }
}
