// File type records: the extension rule, the registry routines, the shared
// extraction routine.
#include <windows.h>

#include <hueicons/filetype.h>
#include <huetest/files.h>
#include <huetest/registry.h>

#include <hue/handles.h>

#include <gtest/gtest.h>

using huetest::ScratchClassesRoot;
using huetest::TempFolder;

// The tests' view of a record's private state.
struct FileTypeInfoInspector {
    static std::string extension(const FileTypeInfo& info) { return info.extension; }
    static int numRef() { return FileTypeInfo::numRef; }
    static bool extractionLoaded() {
        return FileTypeInfo::privateExtractIcons != nullptr && FileTypeInfo::userDll != nullptr;
    }
};

namespace {

using Inspector = FileTypeInfoInspector;

// Writes a value of any type and length, NUL or not.
void setRawValue(const std::string& subKey, DWORD type, const std::string& bytes) {
    hue::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key.get(), nullptr, 0, type,
                               reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

} // namespace

TEST(FileTypeExtension, IsTheFinalComponentFromItsLastDot) {
    const struct {
        const char* path;
        const char* extension;
    } cases[] = {
        {"C:\\Work\\Report.LNK", ".LNK"},
        {"C:\\Work\\notes.Txt", ".Txt"},
        {"C:\\Work\\archive.tar.gz", ".gz"},
        {"C:\\Work\\README", ""},
        {"C:\\a.b\\file", ""},
        {"C:/a.b/file.doc", ".doc"},
        {"C:\\Work\\.profile", ".profile"},
        {"C:name.txt", ".txt"},
        {"C:\\Work\\trailing.", "."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Inspector::extension(FileTypeInfo(c.path)), c.extension) << c.path;
}

TEST(FileTypeSupport, RefusesEachUnsupportedTypeWhateverItsCase) {
    const char* unsupported[] = {".lnk",
                                 ".ttf",
                                 ".exe",
                                 ".scf",
                                 ".bfc",
                                 ".aps",
                                 ".AudioCD",
                                 ".com",
                                 ".DeskLink",
                                 ".mydocs",
                                 ".p951",
                                 ".t101",
                                 ".ZFSendToTarget",
                                 ".cur",
                                 ".ico",
                                 ".ani"};
    for (const char* extension : unsupported) {
        EXPECT_FALSE(FileTypeInfo((std::string("C:\\x\\file") + extension).c_str()).supported())
            << extension;
        std::string upper = extension;
        for (char& c : upper)
            c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
        EXPECT_FALSE(FileTypeInfo(("C:\\x\\file" + upper).c_str()).supported()) << upper;
    }
    EXPECT_FALSE(FileTypeInfo("C:\\x\\Report.LNK").supported());
    EXPECT_FALSE(FileTypeInfo("C:\\x\\no-extension").supported()) << "the empty entry";
    for (const char* path :
         {"C:\\x\\notes.Txt", "C:\\x\\file.lnk2", "C:\\x\\file.ln", "C:\\x\\a.doc"})
        EXPECT_TRUE(FileTypeInfo(path).supported()) << path;
}

TEST(FileTypeSupport, FoldersAndMissingPathsHaveNoIcons) {
    TempFolder dir;
    const std::string photos = dir.file("Photos.2004");
    ASSERT_TRUE(::CreateDirectoryA(photos.c_str(), nullptr));
    const std::string file = dir.file("notes.txt");
    huetest::writeFile(file, "x");
    const std::string missing = dir.file("missing.txt");

    const struct {
        std::string path;
        bool supported, supportedIcons, isFolder;
    } cases[] = {
        {photos, true, false, true},
        {file, true, true, false},
        {missing, true, false, true}, // a failed query counts as a folder
    };
    for (const auto& c : cases) {
        const FileTypeInfo info(c.path.c_str());
        EXPECT_EQ(info.supported(), c.supported) << c.path;
        EXPECT_EQ(info.supportedIcons(), c.supportedIcons) << c.path;
        EXPECT_EQ(info.isFolder(), c.isFolder) << c.path;
    }
    EXPECT_EQ(Inspector::extension(FileTypeInfo(photos.c_str())), ".2004");
}

TEST(FileTypeName, IsTheExtensionsDefaultValue) {
    const ScratchClassesRoot classes;
    huetest::setClassValue(".hue", "huefile");
    huetest::createClassKey(".nodefault");
    huetest::setClassValue(".long259", std::string(259, 'n'));
    huetest::setClassValue(".long260", std::string(260, 'n'));
    setRawValue(".nonul", REG_SZ, "abc");
    setRawValue(".binary", REG_BINARY, "12345");
    setRawValue(".embedded", REG_SZ, std::string("ab\0cd", 5));
    setRawValue(".full", REG_BINARY, std::string(260, 'z'));
    setRawValue(".zero", REG_SZ, "");

    const struct {
        const char* extension;
        std::string typeName;
    } cases[] = {
        {".hue", "huefile"},  {".missing", ""},
        {".nodefault", ""},   {".long259", std::string(259, 'n')},
        {".long260", ""},     {".nonul", "abc"}, // no terminating NUL: never read past the data
        {".binary", "12345"},                    // the type is not examined
        {".embedded", "ab"},  {".full", std::string(260, 'z')}, // exactly fills the buffer, no NUL
        {".zero", ""},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("C:\\x\\file") + c.extension;
        EXPECT_EQ(FileTypeInfo(path.c_str()).getTypeName(), c.typeName) << c.extension;
    }
}

TEST(FileTypeRecords, ShareOneExtractionRoutineWhileAnyLives) {
    ASSERT_EQ(Inspector::numRef(), 0);
    ASSERT_FALSE(Inspector::extractionLoaded());
    {
        FileTypeInfo record("C:\\x\\a.txt");
        EXPECT_EQ(Inspector::numRef(), 1);
        EXPECT_TRUE(Inspector::extractionLoaded());
        {
            const FileTypeInfo copy(record);
            EXPECT_EQ(Inspector::numRef(), 2);
            FileTypeInfo other("C:\\x\\b.doc");
            EXPECT_EQ(Inspector::numRef(), 3);
            other = copy;
            EXPECT_EQ(Inspector::numRef(), 3) << "assignment counts nothing";
            EXPECT_EQ(Inspector::extension(other), ".txt");
        }
        EXPECT_EQ(Inspector::numRef(), 1);
        EXPECT_TRUE(Inspector::extractionLoaded()) << "the record still lives";
    }
    EXPECT_EQ(Inspector::numRef(), 0);
    EXPECT_FALSE(Inspector::extractionLoaded());

    // A later record loads it again.
    const FileTypeInfo again("C:\\x\\c.txt");
    EXPECT_TRUE(Inspector::extractionLoaded());
}
