// Where a file type's icon comes from, and extracting it.
#include <windows.h>
#include <shellapi.h>

#include <hueicons/filetype.h>
#include <hueicons/handler_client.h>

#include "path_parts.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD EXPANDED_CHARS = 520;

bool exists(const std::string& path) {
    return !path.empty() && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The text with environment references expanded; empty when that fails or
// does not fit.
std::string expand(const std::string& text) {
    char expanded[EXPANDED_CHARS] = {};
    const DWORD length = ::ExpandEnvironmentStringsA(text.c_str(), expanded, EXPANDED_CHARS);
    return length == 0 || length > EXPANDED_CHARS ? std::string() : std::string(expanded);
}

// The text split at double quotes and commas: runs of them count as one,
// leading ones are skipped, double-byte characters are never split.
std::vector<std::string> tokens(const std::string& text) {
    std::vector<std::string> result;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < text.size()) {
            current += c;
            current += text[++i];
        } else if (c == '"' || c == ',') {
            if (!current.empty())
                result.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        result.push_back(current);
    return result;
}

} // namespace

std::string FileTypeInfo::getDefaultIcon() const {
    return getRegClassString((getTypeName() + DEFAULT_ICON).c_str(), nullptr);
}

bool FileTypeInfo::searchPath(std::string& file) {
    const hueicons::PathParts parts = hueicons::splitPath(file);
    char found[MAX_PATH] = {};
    char* filePart = nullptr;
    const DWORD length = ::SearchPathA(nullptr, parts.name.c_str(),
                                       parts.extension.empty() ? nullptr : parts.extension.c_str(),
                                       MAX_PATH, found, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return false;
    file = found;
    return true;
}

void FileTypeInfo::initIconLocation() {
    bool located = false;
    if (supportedIcons()) {
        // The type's own icon handler, or the one saved when the product's
        // was installed; never the product's own.
        iconFile = getIconHandler();
        const std::string typeName = isGuid(iconFile.c_str()) ? std::string() : getTypeName();
        if (!typeName.empty()) {
            const std::string def = getDefaultIcon();
            const std::string expanded = expand(def);
            if (def.find(',') != std::string::npos) {
                const std::vector<std::string> parts = tokens(expanded);
                iconFile = parts.empty() ? std::string() : parts[0];
                iconIdx = parts.size() > 1
                              ? static_cast<int>(std::strtol(parts[1].c_str(), nullptr, 10))
                              : 0;
                located = exists(iconFile) || (!iconFile.empty() && searchPath(iconFile));
            } else if (exists(expanded)) {
                iconFile = expanded;
                iconIdx = 0;
                located = true;
            } else if ((def.empty() || def.find('%') != std::string::npos) && iconFile.empty()) {
                // No icon of its own, or one per file (%1).
                iconFile = shell32dll;
                iconIdx = 1;
                located = true;
            }
        }
    }
    if (iconFile.empty() || (!isGuid(iconFile.c_str()) && !exists(iconFile) && !located)) {
        iconFile = shell32dll;
        iconIdx = 0;
    }
}

bool FileTypeInfo::extractIcon(DWORD sizes, HICON& large, HICON& small) const {
    large = nullptr;
    small = nullptr;
    char file[MAX_PATH] = {};
    int index = 0;
    if (isGuid(iconFile.c_str())) {
        IconHandlerClient client(iconFile.c_str());
        const bool answered =
            client.connect() && client.getIconInfo(path.c_str(), sizes, large, small, file, index);
        if (answered && (large != nullptr || small != nullptr))
            return false; // the handler delivered the icons itself
        // A handler that failed yet delivered icons: they are not the answer.
        for (HICON* icon : {&large, &small}) {
            if (*icon != nullptr)
                ::DestroyIcon(*icon);
            *icon = nullptr;
        }
    } else {
        std::strncpy(file, iconFile.c_str(), MAX_PATH - 1);
        index = iconIdx;
    }

    if (privateExtractIcons != nullptr) {
        HICON icons[2] = {};
        UINT ids[2] = {};
        // Two sizes packed in width and height: the one icon at both, the
        // low word's size first.
        const UINT extracted = privateExtractIcons(file, index, static_cast<int>(sizes),
                                                   static_cast<int>(sizes), icons, ids, 1, 0);
        small = icons[0];
        large = icons[1];
        return extracted != 0 && extracted != 0xFFFFFFFF;
    }
    return ::ExtractIconExA(file, index, &large, &small, 1) != 0;
}
