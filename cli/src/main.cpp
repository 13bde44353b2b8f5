// huelabel: labels folders from the command line.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <huecore/folder.h>
#include <huecore/imaging.h>
#include <huecore/label.h>

#include <hue/handles.h>

#include "icon_png.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace {

enum ExitCode { EXIT_OK = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

const char USAGE[] =
    "usage: huelabel set <kind> <folder>...   label folders\n"
    "       huelabel clear <folder>...        remove their labels\n"
    "       huelabel get <folder>...          print each folder's label\n"
    "       huelabel list                     print the label kinds and colours\n"
    "       huelabel icon <folder> <file.png> [size]\n"
    "                                         save the folder's icon as a picture\n"
    "       huelabel --help\n"
    "A kind is a name from 'huelabel list' (letter case and spaces ignored)\n"
    "or its number. Exit status: 0 all done, 1 some folder failed, 2 usage error.\n";

int usageError(const char* message, const char* detail = nullptr) {
    if (detail != nullptr)
        std::fprintf(stderr, "huelabel: %s: %s\n", message, detail);
    else
        std::fprintf(stderr, "huelabel: %s\n", message);
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
}

// The system's text for an error code, without its line break.
std::string systemText(unsigned long code) {
    std::string text = winerror(code).what();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "error " + std::to_string(code);
    return text;
}

void reportFailure(const std::string& folder, const std::string& reason) {
    std::fprintf(stderr, "huelabel: %s: %s\n", folder.c_str(), reason.c_str());
}

std::string normalised(const char* name) {
    std::string text;
    for (const char* c = name; *c != '\0'; ++c) {
        if (!std::isspace(static_cast<unsigned char>(*c)))
            text += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return text;
}

// A kind by its catalogue name (case and spaces ignored) or its number.
bool parseKind(const char* text, LabelType& kind) {
    const std::string wanted = normalised(text);
    if (wanted.empty())
        return false;
    if (wanted.find_first_not_of("0123456789") == std::string::npos) {
        const long value = wanted.size() <= 2 ? std::strtol(wanted.c_str(), nullptr, 10) : -1;
        if (value < LabelNone || value > LabelProject2)
            return false;
        kind = static_cast<LabelType>(value);
        return true;
    }
    for (int value = LabelNone; value <= LabelProject2; ++value) {
        if (normalised(Swatchbook::labelName(static_cast<LabelType>(value))) == wanted) {
            kind = static_cast<LabelType>(value);
            return true;
        }
    }
    return false;
}

// Tells the shell that a folder changed, so that it redraws its icon.
void notifyShell(const std::string& folder) {
    ::SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHA | SHCNF_FLUSHNOWAIT, folder.c_str(), nullptr);
}

// One folder's work: given the folder as named and as a full path.
using Work = std::function<bool(const std::string& folder, const char* full)>;

// Runs one folder's work, which reports its own failure by a false result
// with GetLastError, or by an exception. True when it succeeded.
bool runForFolder(const std::string& folder, const Work& work) {
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        reportFailure(folder,
                      systemText(length == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE));
        return false;
    }
    const DWORD attributes = ::GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reportFailure(folder, systemText(attributes == INVALID_FILE_ATTRIBUTES
                                             ? ::GetLastError()
                                             : static_cast<DWORD>(ERROR_DIRECTORY)));
        return false;
    }
    try {
        ::SetLastError(ERROR_SUCCESS);
        if (work(folder, full))
            return true;
        reportFailure(folder, systemText(::GetLastError()));
    } catch (const winerror& e) {
        reportFailure(folder, systemText(e.code));
    } catch (const std::bad_alloc&) {
        reportFailure(folder, "out of memory");
    }
    return false;
}

void printLabel(const std::string& folder, const char* full) {
    FLabel label;
    FolderLabelReader(full).getLabel(label);
    std::printf("%s: %s\n", folder.c_str(), Swatchbook::labelName(label.labelType()));
}

int forEachFolder(int count, char** folders, const Work& work) {
    int status = EXIT_OK;
    for (int i = 0; i < count; ++i) {
        if (!runForFolder(folders[i], work))
            status = EXIT_FAILED;
    }
    return status;
}

int setCommand(int count, char** args) {
    if (count < 2)
        return usageError("set needs a kind and at least one folder");
    LabelType kind;
    if (!parseKind(args[0], kind))
        return usageError("unknown kind", args[0]);
    FLabel label;
    label.type = kind;
    return forEachFolder(count - 1, args + 1, [&](const std::string& folder, const char* full) {
        if (!FolderLabeller(full).setLabel(label))
            return false;
        notifyShell(full);
        printLabel(folder, full);
        return true;
    });
}

int clearCommand(int count, char** args) {
    if (count < 1)
        return usageError("clear needs at least one folder");
    return forEachFolder(count, args, [](const std::string& folder, const char* full) {
        if (!FolderLabeller(full).clearLabel())
            return false;
        notifyShell(full);
        printLabel(folder, full);
        return true;
    });
}

int getCommand(int count, char** args) {
    if (count < 1)
        return usageError("get needs at least one folder");
    return forEachFolder(count, args, [](const std::string& folder, const char* full) {
        printLabel(folder, full);
        return true;
    });
}

int listCommand(int count) {
    if (count != 0)
        return usageError("list takes no arguments");
    for (int value = LabelNone; value <= LabelProject2; ++value) {
        const auto type = static_cast<LabelType>(value);
        const unsigned long color = Swatchbook::labelColor(type);
        std::printf("%d %s #%02X%02X%02X\n", value, Swatchbook::labelName(type),
                    static_cast<unsigned>(GetRValue(color)),
                    static_cast<unsigned>(GetGValue(color)),
                    static_cast<unsigned>(GetBValue(color)));
    }
    return EXIT_OK;
}

// The icon that the folder's desktop.ini names, read as the shell reads it
// (inside the folder when relative), or the system's folder icon.
void folderIconLocation(const char* folder, std::string& path, int& index) {
    const CustomIconFolder settings(folder);
    const std::string iconFile = settings.getIconFile();
    char expanded[MAX_PATH] = {};
    const DWORD length = ::ExpandEnvironmentStringsA(iconFile.c_str(), expanded, MAX_PATH);
    if (!iconFile.empty() && length > 0 && length <= MAX_PATH) {
        const std::string candidate =
            ::PathIsRelativeA(expanded) ? std::string(folder) + "\\" + expanded : expanded;
        if (::PathFileExistsA(candidate.c_str())) {
            path = candidate;
            index = settings.getIconIndex();
            return;
        }
    }
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    path = std::string(system) + "\\shell32.dll";
    index = 3;
}

int iconCommand(int count, char** args) {
    if (count < 2 || count > 3)
        return usageError("icon needs a folder, a file name and at most a size");
    const int size = count == 3 ? std::atoi(args[2]) : 256;
    if (size < 16 || size > 256)
        return usageError("the size is 16 to 256 pixels", args[2]);
    const std::string output = args[1];
    return forEachFolder(1, args, [&](const std::string& folder, const char* full) {
        std::string path;
        int index = 0;
        folderIconLocation(full, path, index);
        hue::UniqueIcon icon;
        UINT id = 0;
        if (::PrivateExtractIconsA(path.c_str(), index, size, size, icon.put(), &id, 1, 0) != 1 ||
            !icon) {
            ::SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
            return false;
        }
        const HRESULT hr = huelabel::saveIconPng(icon.get(), output.c_str());
        if (FAILED(hr)) {
            ::SetLastError(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr)
                                                                  : static_cast<DWORD>(hr));
            return false;
        }
        std::printf("%s: icon %d of %s saved as %s\n", folder.c_str(), index, path.c_str(),
                    output.c_str());
        return true;
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usageError("no command");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(USAGE, stdout);
        return EXIT_OK;
    }
    const hue::ComScope com; // the icon codecs need COM
    const int count = argc - 2;
    char** args = argv + 2;
    if (command == "set")
        return setCommand(count, args);
    if (command == "clear")
        return clearCommand(count, args);
    if (command == "get")
        return getCommand(count, args);
    if (command == "list")
        return listCommand(count);
    if (command == "icon")
        return iconCommand(count, args);
    return usageError("unknown command", command.c_str());
}
