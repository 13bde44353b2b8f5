// Installing and removing the product's icon handler for a file type, on the
// real registry redirected to a scratch key per test.
#include <windows.h>

#include <hueicons/filetype.h>
#include <huetest/files.h>
#include <huetest/registry.h>

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

using huetest::ScratchClassesRoot;

namespace {

const std::string P = FileTypeInfo::guidHueshell;
const std::string F = "{11111111-2222-3333-4444-555555555555}";
const std::string G = "{99999999-8888-7777-6666-555555555555}";
// The product's identifier in other letter case: a foreign handler.
const std::string P_LOWER = "{6b1d2e40-3c7a-4f19-9e25-7d04a8c3b516}";

const char PATH[] = "C:\\Work\\report.hue";

using Value = std::optional<std::string>;

Value readDefault(const std::string& subKey) {
    hue::UniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data),
                           &size) != ERROR_SUCCESS)
        return std::string("(key without value)");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << subKey;
    EXPECT_EQ(size, std::strlen(data) + 1) << subKey << ": stored with its NUL";
    return std::string(data);
}

bool keyExists(const std::string& subKey) {
    hue::UniqueRegKey key;
    return ::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}

// The handler values of one class key.
struct Handlers {
    Value handler; // ShellEx\IconHandler
    Value old;     // ShellEx\IconHandlerOld
    bool operator==(const Handlers& o) const { return handler == o.handler && old == o.old; }
};
std::ostream& operator<<(std::ostream& out, const Handlers& h) {
    return out << "{IconHandler " << h.handler.value_or("none") << ", IconHandlerOld "
               << h.old.value_or("none") << "}";
}

Handlers handlersOf(const std::string& classKey) {
    return {readDefault(classKey + "\\ShellEx\\IconHandler"),
            readDefault(classKey + "\\ShellEx\\IconHandlerOld")};
}

void install(const std::string& classKey, const Handlers& handlers) {
    if (handlers.handler)
        huetest::setClassValue(classKey + "\\ShellEx\\IconHandler", *handlers.handler);
    if (handlers.old)
        huetest::setClassValue(classKey + "\\ShellEx\\IconHandlerOld", *handlers.old);
}

// Where the type's registration lives in a case.
enum class Placement { TypeName, Extension };

// Registers the type: under its type name, or (for the extension's own
// key) with no type name at all.
std::string registerType(Placement placement) {
    if (placement == Placement::TypeName) {
        huetest::setClassValue(".hue", "huefile");
        return "huefile";
    }
    huetest::createClassKey(".hue");
    return ".hue";
}

const Value none = std::nullopt;

} // namespace

// The states of a handler key: A none, B foreign, C the product's, D the
// product's with the foreign one saved; and a foreign G that replaced the
// product's handler since.
TEST(IconHandler, EnableAndDisableMoveBetweenTheStates) {
    struct Case {
        const char* what;
        Handlers before;
        bool enableResult;
        Handlers afterEnable;
        bool disableResult;
        Handlers afterDisable;
    };
    const Case cases[] = {
        {"A", {none, none}, true, {P, none}, false, {none, none}},
        {"B", {F, none}, true, {P, F}, false, {F, none}},
        {"C", {P, none}, true, {P, none}, true, {none, none}},
        {"D", {P, F}, true, {P, F}, true, {F, none}},
        {"G replaced P", {G, F}, true, {P, G}, true, {F, none}},
        {"P in other letter case", {P_LOWER, none}, true, {P, P_LOWER}, false, {P_LOWER, none}},
    };
    for (const Placement placement : {Placement::TypeName, Placement::Extension}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (placement == Placement::TypeName
                                                    ? " under the type name"
                                                    : " under the extension"));
            {
                const ScratchClassesRoot classes;
                const std::string key = registerType(placement);
                install(key, c.before);
                FileTypeInfo info(PATH);
                EXPECT_EQ(info.enabled(), c.before.handler == P);

                EXPECT_EQ(info.enable(), c.enableResult);
                EXPECT_EQ(handlersOf(key), c.afterEnable);
                EXPECT_TRUE(info.enabled());
                const auto once = huetest::dumpClasses();
                EXPECT_FALSE(once.empty());
                EXPECT_TRUE(FileTypeInfo(PATH).enable());
                EXPECT_EQ(huetest::dumpClasses(), once) << "enable twice is enable once";
            }
            {
                const ScratchClassesRoot classes;
                const std::string key = registerType(placement);
                install(key, c.before);
                const bool classKeyExisted = keyExists(key);
                FileTypeInfo info(PATH);
                EXPECT_EQ(info.disable(), c.disableResult);
                EXPECT_EQ(handlersOf(key), c.afterDisable);
                EXPECT_FALSE(info.enabled());
                EXPECT_EQ(keyExists(key + "\\ShellEx"), c.afterDisable.handler.has_value())
                    << "ShellEx goes when nothing is left in it";
                EXPECT_EQ(keyExists(key), classKeyExisted) << "the class key stays as it was";
            }
        }
    }
}

TEST(IconHandler, AHandlerUnderTheExtensionIsReplacedThereAndTheTypeNamesLeftAlone) {
    const ScratchClassesRoot classes;
    huetest::setClassValue(".hue", "huefile");
    install(".hue", {F, none});
    install("huefile", {G, none});
    FileTypeInfo info(PATH);

    ASSERT_TRUE(info.enable());
    EXPECT_EQ(handlersOf(".hue"), (Handlers{P, F}));
    EXPECT_EQ(handlersOf("huefile"), (Handlers{G, none}));
    EXPECT_TRUE(info.enabled());

    ASSERT_TRUE(info.disable());
    EXPECT_EQ(handlersOf(".hue"), (Handlers{F, none}));
    EXPECT_EQ(handlersOf("huefile"), (Handlers{G, none}));
}

TEST(IconHandler, DisableRemovesTheSavedHandlerUnderBothKeys) {
    const ScratchClassesRoot classes;
    huetest::setClassValue(".hue", "huefile");
    install("huefile", {P, F});
    // A leftover key without a value under the extension: not a
    // registration, but removed with the saved handler.
    huetest::createClassKey(".hue\\ShellEx\\IconHandlerOld");
    ASSERT_TRUE(FileTypeInfo(PATH).disable());
    EXPECT_EQ(handlersOf("huefile"), (Handlers{F, none}));
    EXPECT_FALSE(keyExists(".hue\\ShellEx\\IconHandlerOld"));
}

TEST(IconHandler, ShellExStaysWhileItHoldsAnotherRegistration) {
    const struct {
        const char* what;
        std::function<void()> other;
        bool shellExStays;
    } cases[] = {
        {"nothing else", [] {}, false},
        {"a context-menu handler",
         [] { huetest::setClassValue("huefile\\ShellEx\\ContextMenuHandlers\\x", F); }, true},
        {"a value of its own", [] { huetest::setClassValue("huefile\\ShellEx", "x", "Note"); },
         true},
        {"a default value", [] { huetest::setClassValue("huefile\\ShellEx", ""); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchClassesRoot classes;
        huetest::setClassValue(".hue", "huefile");
        install("huefile", {P, none});
        c.other();
        EXPECT_TRUE(FileTypeInfo(PATH).disable());
        EXPECT_FALSE(keyExists("huefile\\ShellEx\\IconHandler"));
        EXPECT_EQ(keyExists("huefile\\ShellEx"), c.shellExStays);
    }
}

TEST(IconHandler, DisableWithoutAnyHandlerRemovesAnEmptyShellExOnly) {
    const ScratchClassesRoot classes;
    huetest::setClassValue(".hue", "huefile");
    huetest::createClassKey("huefile\\ShellEx");
    EXPECT_FALSE(FileTypeInfo(PATH).disable());
    EXPECT_FALSE(keyExists("huefile\\ShellEx"));
    EXPECT_TRUE(keyExists("huefile"));
}

TEST(IconHandler, APathWithoutExtensionRegistersNothing) {
    const ScratchClassesRoot classes;
    const auto before = huetest::dumpClasses();
    FileTypeInfo info("C:\\Work\\README");
    EXPECT_FALSE(info.enable());
    EXPECT_FALSE(info.disable());
    EXPECT_FALSE(info.enabled());
    EXPECT_EQ(huetest::dumpClasses(), before);
}

// A record for an existing file locates the type's own handler (the one
// saved when the product's was installed), never the product's.
TEST(IconHandler, TheRecordLocatesTheTypesOwnHandler) {
    const ScratchClassesRoot classes;
    huetest::TempFolder dir;
    const std::string file = dir.file("report.hue");
    huetest::writeFile(file, "x");
    huetest::setClassValue(".hue", "huefile");
    install("huefile", {P, F});
    EXPECT_EQ(FileTypeInfo(file.c_str()).iconFileName(), F);
    install("huefile", {G, F});
    EXPECT_EQ(FileTypeInfo(file.c_str()).iconFileName(), G);
}
