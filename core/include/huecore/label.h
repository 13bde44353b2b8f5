// Labels: the label kinds, the label record and the catalogue that gives each
// kind its name and colour.
#pragma once

#include <huecore/export.h>

#include <cstdint>
#include <string>

// The label kinds; stored as a 32-bit signed integer.
enum LabelType : std::int32_t {
    LabelNone = 0, // no label
    LabelEssential = 1,
    LabelHot = 2,
    LabelInProgress = 3,
    LabelCool = 4,
    LabelPersonal = 5,
    LabelPrivate = 6,
    LabelProject1 = 7,
    LabelProject2 = 8,
};

// The label record: 20 bytes, little-endian, stored by callers in a binary
// form (the record as it is) or a text form ("version,data,type,e0,e1,e2").
struct HUECORE_API FLabel {
    // The record version that construction and init() write.
    static const std::uint32_t VER;

    std::uint32_t size;    // 20
    std::uint32_t version; // VER
    std::uint32_t data;    // carried, not interpreted
    LabelType type;        // the label kind
    std::uint8_t extra[3]; // carried, not interpreted
    std::uint8_t reserved; // fills the record to 20 bytes

    FLabel();
    FLabel(const FLabel& other) = default;
    FLabel& operator=(const FLabel& other);

    // Sets the defaults: size 20, version VER, everything else 0.
    void init();
    LabelType labelType() const { return type; }

    // Reads or writes the 20 bytes of the binary form with one ReadFile or
    // WriteFile call at the Win32 file handle's current position. True when
    // exactly 20 bytes moved.
    bool read(void* file);
    bool write(void* file) const;

    // Parses the text form. True when all six numbers matched; the numbers
    // matched before a mismatch are stored all the same. size is not changed.
    bool read(const std::string& text);
    // Replaces text with the text form; always true.
    bool write(std::string& text) const;
};

static_assert(sizeof(FLabel) == 20, "FLabel is a 20-byte record");

// The label catalogue: each kind's display name (from the library's string
// table) and colour (a COLORREF, 0x00BBGGRR).
class HUECORE_API Swatchbook {
public:
    Swatchbook& operator=(const Swatchbook&) { return *this; }

    // The kind's display name; valid while the library is loaded. A kind
    // outside the catalogue gives the empty name.
    static const char* labelName(LabelType type);
    // The kind's colour; a kind outside the catalogue gives the colour of
    // LabelNone.
    static unsigned long labelColor(LabelType type);

private:
    struct LabelParam {
        char name[128];
        std::uint32_t stringId;
        unsigned long color;
    };
    static LabelParam labelParams[9];
};
