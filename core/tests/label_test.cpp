// The label record's binary and text forms, and the label catalogue.
#include <windows.h>

#include <huecore/label.h>
#include <huetest/files.h>

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <cstring>

using huetest::TempFolder;

namespace {

const std::string DEFAULT_BINARY("\x14\0\0\0\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20);

hue::UniqueFile openFile(const std::string& path, DWORD access, DWORD disposition) {
    return hue::UniqueFile(::CreateFileA(path.c_str(), access, 0, nullptr, disposition,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string binaryForm(const FLabel& label) {
    TempFolder dir;
    const std::string path = dir.file("label.bin");
    {
        auto file = openFile(path, GENERIC_WRITE, CREATE_ALWAYS);
        EXPECT_TRUE(label.write(file.get()));
    }
    return huetest::readFile(path);
}

std::string textForm(const FLabel& label) {
    std::string text = "previous";
    EXPECT_TRUE(label.write(text));
    return text;
}

FLabel someLabel() {
    FLabel label;
    label.size = 99;
    label.version = 3;
    label.data = 7;
    label.type = LabelCool;
    label.extra[0] = 1;
    label.extra[1] = 2;
    label.extra[2] = 3;
    label.reserved = 9;
    return label;
}

} // namespace

TEST(FLabelRecord, NewAndResetRecordsHaveTheDefaultForms) {
    const FLabel fresh;
    EXPECT_EQ(binaryForm(fresh), DEFAULT_BINARY);
    EXPECT_EQ(textForm(fresh), "1,0,0,0,0,0");

    FLabel reset = someLabel();
    reset.init();
    EXPECT_EQ(binaryForm(reset), DEFAULT_BINARY);
    EXPECT_EQ(reset.labelType(), LabelNone);
    EXPECT_EQ(FLabel::VER, 1u);
}

TEST(FLabelRecord, AssignmentAndBinaryFormCarryAllTwentyBytes) {
    FLabel copy;
    copy = someLabel();
    const std::string bytes = binaryForm(copy);
    const std::string expected("\x63\0\0\0\x03\0\0\0\x07\0\0\0\x04\0\0\0\x01\x02\x03\x09", 20);
    EXPECT_EQ(bytes, expected);
}

TEST(FLabelRecord, BinaryFormReadsBackFromTheHandlesPosition) {
    TempFolder dir;
    const std::string path = dir.file("labels.bin");
    {
        auto file = openFile(path, GENERIC_WRITE, CREATE_ALWAYS);
        ASSERT_TRUE(FLabel().write(file.get()));
        ASSERT_TRUE(someLabel().write(file.get()));
    }
    auto file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    FLabel first, second;
    ASSERT_TRUE(first.read(file.get()));
    ASSERT_TRUE(second.read(file.get()));
    const FLabel fresh;
    EXPECT_EQ(std::memcmp(&first, &fresh, 20), 0);
    const FLabel expected = someLabel();
    EXPECT_EQ(std::memcmp(&second, &expected, 20), 0);
    EXPECT_FALSE(FLabel().read(file.get())) << "at the end of the file";
}

TEST(FLabelRecord, ShortReadAndFailedWriteReportFalse) {
    TempFolder dir;
    const std::string path = dir.file("short.bin");
    huetest::writeFile(path, std::string(30, '\x05'));
    auto reader = openFile(path, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(::SetFilePointer(reader.get(), 20, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    FLabel label;
    EXPECT_FALSE(label.read(reader.get())) << "10 bytes before the end";
    EXPECT_EQ(label.size, 0x05050505u) << "the bytes read replace the start of the record";

    EXPECT_FALSE(FLabel().write(reader.get())) << "a handle opened for reading";
    EXPECT_FALSE(FLabel().write(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(label.read(INVALID_HANDLE_VALUE));
}

TEST(FLabelRecord, TextFormWritesSixNumbers) {
    FLabel label;
    label.type = LabelHot;
    EXPECT_EQ(textForm(label), "1,0,2,0,0,0");
    EXPECT_EQ(textForm(someLabel()), "3,7,4,1,2,3");
    label.type = static_cast<LabelType>(-1);
    label.data = 4294967295u;
    EXPECT_EQ(textForm(label), "1,4294967295,4294967295,0,0,0");
}

TEST(FLabelRecord, TextFormReadsWhatItCanMatch) {
    const struct {
        const char* text;
        bool ok;
        std::uint32_t version, data;
        LabelType type;
        std::uint8_t extra[3];
    } cases[] = {
        {"1,7,4,1,2,3", true, 1, 7, LabelCool, {1, 2, 3}},
        {" 2, 9,3,0,0,0 and more", true, 2, 9, LabelInProgress, {0, 0, 0}},
        {"1,0,5", false, 1, 0, LabelPersonal, {5, 5, 5}},
        {"4;1,1,1,1,1", false, 4, 5, LabelPersonal, {5, 5, 5}},
        {"", false, 5, 5, LabelPersonal, {5, 5, 5}},
        {"label", false, 5, 5, LabelPersonal, {5, 5, 5}},
        // The last three numbers are bytes.
        {"1,0,2,0,0,256", false, 1, 0, LabelHot, {5, 5, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FLabel label;
        label.version = 5;
        label.data = 5;
        label.type = LabelPersonal;
        std::memset(label.extra, 5, 3);
        EXPECT_EQ(label.read(std::string(c.text)), c.ok);
        EXPECT_EQ(label.version, c.version);
        EXPECT_EQ(label.data, c.data);
        EXPECT_EQ(label.type, c.type);
        EXPECT_EQ(std::memcmp(label.extra, c.extra, 3), 0);
        EXPECT_EQ(label.size, 20u);
    }
}

TEST(FLabelRecord, TextFormRoundTrips) {
    std::string text;
    ASSERT_TRUE(someLabel().write(text));
    FLabel back;
    ASSERT_TRUE(back.read(text));
    EXPECT_EQ(textForm(back), text);
}

TEST(Swatchbook, GivesEachKindItsNameAndColour) {
    const struct {
        LabelType type;
        const char* name;
        unsigned long color;
    } catalogue[] = {
        {LabelNone, "None", 0x00FFFFFF},
        {LabelEssential, "Essential", 0x0017ADFF},
        {LabelHot, "Hot", 0x00645AFF},
        {LabelInProgress, "In Progress", 0x00A640FE},
        {LabelCool, "Cool", 0x00FEC300},
        {LabelPersonal, "Personal", 0x00EA0000},
        {LabelPrivate, "Private", 0x0038ECFF},
        {LabelProject1, "Project 1", 0x00057A00},
        {LabelProject2, "Project 2", 0x00003569},
    };
    for (const auto& row : catalogue) {
        EXPECT_STREQ(Swatchbook::labelName(row.type), row.name) << row.type;
        EXPECT_EQ(Swatchbook::labelColor(row.type), row.color) << row.type;
    }
}

TEST(Swatchbook, NameStaysInPlace) {
    const char* first = Swatchbook::labelName(LabelPersonal);
    EXPECT_STREQ(first, "Personal");
    EXPECT_EQ(Swatchbook::labelName(LabelPersonal), first);
}

TEST(Swatchbook, KindsOutsideTheCatalogueGiveNoNameAndTheColourOfNone) {
    for (const int kind : {-1, 9, 10, 1000, -2147483647 - 1}) {
        const auto type = static_cast<LabelType>(kind);
        EXPECT_STREQ(Swatchbook::labelName(type), "") << kind;
        EXPECT_EQ(Swatchbook::labelColor(type), 0x00FFFFFFu) << kind;
    }
}
