#include <windows.h>

#include <huecore/label.h>

#include "module.h"

#include <cstdio>
#include <cstring>

static_assert(sizeof(unsigned long) == 4, "COLORREF and the text form's %lu need 32 bits");

const std::uint32_t FLabel::VER = 1;

FLabel::FLabel() {
    init();
}

FLabel& FLabel::operator=(const FLabel& other) {
    std::memcpy(static_cast<void*>(this), &other, sizeof(FLabel));
    return *this;
}

void FLabel::init() {
    size = sizeof(FLabel);
    version = VER;
    data = 0;
    type = LabelNone;
    std::memset(extra, 0, sizeof extra);
    reserved = 0;
}

bool FLabel::read(void* file) {
    DWORD got = 0;
    const BOOL ok = ::ReadFile(static_cast<HANDLE>(file), this, sizeof(FLabel), &got, nullptr);
    return ok && got == sizeof(FLabel);
}

bool FLabel::write(void* file) const {
    DWORD written = 0;
    const BOOL ok = ::WriteFile(static_cast<HANDLE>(file), this, sizeof(FLabel), &written, nullptr);
    return ok && written == sizeof(FLabel);
}

bool FLabel::read(const std::string& text) {
    unsigned long number[2] = {};
    unsigned int small[4] = {};
    const int matched = std::sscanf(text.c_str(), "%lu,%lu,%u,%u,%u,%u", &number[0], &number[1],
                                    &small[0], &small[1], &small[2], &small[3]);
    // The numbers matched before a mismatch are kept.
    if (matched >= 1)
        version = number[0];
    if (matched >= 2)
        data = number[1];
    if (matched >= 3)
        type = static_cast<LabelType>(small[0]);
    if (matched < 6)
        return false;
    // The last three numbers are the bytes of extra, as write() puts them;
    // a number that is no byte makes the text invalid.
    for (int i = 0; i < 3; ++i) {
        if (small[i + 1] > 0xFF)
            return false;
    }
    for (int i = 0; i < 3; ++i)
        extra[i] = static_cast<std::uint8_t>(small[i + 1]);
    return true;
}

bool FLabel::write(std::string& text) const {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%lu,%lu,%u,%u,%u,%u", static_cast<unsigned long>(version),
                  static_cast<unsigned long>(data), static_cast<unsigned>(type),
                  static_cast<unsigned>(extra[0]), static_cast<unsigned>(extra[1]),
                  static_cast<unsigned>(extra[2]));
    text = buffer;
    return true;
}

// Rows in LabelType order; the string ids do not follow the values.
Swatchbook::LabelParam Swatchbook::labelParams[9] = {
    {"", 100, 0x00FFFFFF}, // LabelNone
    {"", 101, 0x0017ADFF}, // LabelEssential
    {"", 102, 0x00645AFF}, // LabelHot
    {"", 103, 0x00A640FE}, // LabelInProgress
    {"", 104, 0x00FEC300}, // LabelCool
    {"", 110, 0x00EA0000}, // LabelPersonal
    {"", 105, 0x0038ECFF}, // LabelPrivate
    {"", 108, 0x00057A00}, // LabelProject1
    {"", 109, 0x00003569}, // LabelProject2
};

namespace {

bool inCatalogue(LabelType type) {
    return type >= LabelNone && type <= LabelProject2;
}

} // namespace

const char* Swatchbook::labelName(LabelType type) {
    if (!inCatalogue(type))
        return "";
    LabelParam& row = labelParams[type];
    if (row.name[0] == '\0') {
        // Loaded once per row; a failed load leaves the name empty and is
        // tried again next time.
        if (::LoadStringA(huecore::libraryModule(), row.stringId, row.name, sizeof row.name) <= 0)
            row.name[0] = '\0';
    }
    return row.name;
}

unsigned long Swatchbook::labelColor(LabelType type) {
    return labelParams[inCatalogue(type) ? type : LabelNone].color;
}
