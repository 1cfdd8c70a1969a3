// The path, file and module helpers the application, the document and the
// query file share.
#include "app/Utilities.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(Utilities, ExtensionOfTheFileName)
{
    struct Case { const char* path; const char* extension; const char* stripped; };
    const Case cases[] = {
        {"a.mdb", ".mdb", "a"},
        {"C:\\db\\Sample.sqlite", ".sqlite", "C:\\db\\Sample"},
        {"a.b.accdb", ".accdb", "a.b"},
        {"noext", "", "noext"},
        {"a.", ".", "a"},
        // A dot in a folder name is no extension of the file.
        {"C:\\a.b\\file", "", "C:\\a.b\\file"},
        {"C:\\a.b\\file.MDB", ".MDB", "C:\\a.b\\file"},
        {"D:.hidden", ".hidden", "D:"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.extension, GetFileExtension(c.path)) << c.path;
        EXPECT_STREQ(c.stripped, StripFileExtension(c.path)) << c.path;
    }
    EXPECT_STREQ("", GetFileExtension(nullptr));
}

TEST(Utilities, FilesAndPatternsAreFound)
{
    const std::string dir = kvtest::ScratchDir("utilities_find");
    std::ofstream(dir + "\\NewDatabase2.sqlite") << "x";
    EXPECT_TRUE(FindFileExists((dir + "\\NewDatabase2.sqlite").c_str()));
    EXPECT_TRUE(FindFileExists((dir + "\\NewDatabase*.sqlite").c_str()));
    EXPECT_TRUE(FindFileExists(dir.c_str()));
    EXPECT_FALSE(FindFileExists((dir + "\\NewDatabase1.sqlite").c_str()));
    EXPECT_FALSE(FindFileExists((dir + "\\*.mdb").c_str()));
    EXPECT_FALSE(FindFileExists(""));
    EXPECT_FALSE(FindFileExists(nullptr));
}

TEST(Utilities, ModuleFolder)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString exeFolder = module;
    exeFolder = exeFolder.Left(exeFolder.ReverseFind('\\') + 1);

    // A module that is not loaded: the running executable's folder.
    EXPECT_STREQ(exeFolder, GetModuleFolder("PELLIMO.EXE"));
    EXPECT_STREQ(exeFolder, GetModuleFolder(nullptr));

    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    CString kernel = GetModuleFolder("kernel32.dll");
    EXPECT_EQ(0, kernel.CompareNoCase(CString(system) + "\\")) << kernel.GetString();
}

TEST(Utilities, FileObjectsByMode)
{
    const std::string dir = kvtest::ScratchDir("utilities_files");
    const std::string path = dir + "\\Queries.kvq";
    CFile* file = nullptr;

    // Text writer: created and truncated, lines end in CR LF.
    std::ofstream(path) << "old content that is longer";
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), FALSE, FALSE));
    CStdioFile* writer = dynamic_cast<CStdioFile*>(file);
    ASSERT_NE(nullptr, writer);
    writer->WriteString("[Query1]\nTitle=All\n");
    EXPECT_TRUE(CloseFileObject(file));
    EXPECT_EQ(nullptr, file);

    // Text reader: reads the lines; the open file denies writing.
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), TRUE, FALSE));
    CStdioFile* reader = dynamic_cast<CStdioFile*>(file);
    ASSERT_NE(nullptr, reader);
    CString line;
    ASSERT_TRUE(reader->ReadString(line));
    EXPECT_STREQ("[Query1]", line);
    ASSERT_TRUE(reader->ReadString(line));
    EXPECT_STREQ("Title=All", line);
    EXPECT_FALSE(reader->ReadString(line));
    HANDLE hWrite = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hWrite);
    if (hWrite != INVALID_HANDLE_VALUE)
        ::CloseHandle(hWrite);

    // Opening again closes the file held first: the binary writer keeps the
    // content (no truncation) and may write.
    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), FALSE, TRUE));
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(nullptr, dynamic_cast<CStdioFile*>(file));
    EXPECT_EQ(21u, (unsigned)file->GetLength());
    file->SeekToEnd();
    file->Write("!", 1);
    EXPECT_TRUE(CloseFileObject(file));

    ASSERT_EQ(1, OpenFileObject(file, path.c_str(), TRUE, TRUE));
    EXPECT_EQ(22u, (unsigned)file->GetLength());
    CloseFileObject(file);

    // A file that does not exist: the file object's exception, nothing held.
    bool thrown = false;
    try {
        OpenFileObject(file, (dir + "\\missing.kvq").c_str(), TRUE, FALSE);
    } catch (CFileException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(nullptr, file);
    EXPECT_TRUE(CloseFileObject(file));
}
