#include <huecore/folder.h>

#include "numbers.h"

const char* const FolderLabelReader::KEY_LABEL = "huemark";

FolderLabelReader::FolderLabelReader(const char* folder) : CustomIconFolder(folder) {}
FolderLabelReader::FolderLabelReader(const FolderLabelReader& other) = default;
FolderLabelReader& FolderLabelReader::operator=(const FolderLabelReader& other) = default;
FolderLabelReader::~FolderLabelReader() = default;

void FolderLabelReader::getLabel(FLabel& label) const {
    label.init();
    const std::string value = readClassInfoString(KEY_LABEL);
    if (value.empty())
        return;
    // A number outside the catalogue (a hand-edited file) is no label.
    const int kind = huecore::parseInt(value);
    if (kind >= LabelNone && kind <= LabelProject2)
        label.type = static_cast<LabelType>(kind);
}
