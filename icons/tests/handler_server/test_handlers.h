// Class identifiers of the test icon handlers, shared by the test server and
// the tests that call it.
#pragma once

namespace testhandlers {

// Names an existing file: the system's shell32.dll, position 3.
constexpr const char* NAMES_FILE = "{D0A1C1E0-0001-4C6B-9A31-6E2F4B7C8D01}";
// Names a file that does not exist.
constexpr const char* NAMES_MISSING = "{D0A1C1E0-0002-4C6B-9A31-6E2F4B7C8D01}";
// Sets GIL_NOTFILENAME and extracts its icons itself, following the size
// contract of Extract: the large-icon position at the low word's size, the
// small-icon position at the high word's.
constexpr const char* EXTRACTS_ITSELF = "{D0A1C1E0-0003-4C6B-9A31-6E2F4B7C8D01}";
// Offers IExtractIconA but not IPersistFile.
constexpr const char* NO_PERSIST_FILE = "{D0A1C1E0-0004-4C6B-9A31-6E2F4B7C8D01}";
// Fails IPersistFile::Load.
constexpr const char* FAILS_LOAD = "{D0A1C1E0-0005-4C6B-9A31-6E2F4B7C8D01}";

constexpr const char* ALL[] = {NAMES_FILE, NAMES_MISSING, EXTRACTS_ITSELF, NO_PERSIST_FILE,
                               FAILS_LOAD};

// The server's file name, beside the test programs.
constexpr const char* SERVER_DLL = "hueicons_test_handler.dll";

// Exports of the server for the tests, found with GetProcAddress:
//   LONG WINAPI TestHandlerCalls()        calls made on any handler object
//   LONG WINAPI TestHandlerLiveObjects()  handler objects not yet released
//   LONG WINAPI TestHandlerOverReleases() Release calls on a released object
using CounterFunc = long(__stdcall*)();

} // namespace testhandlers
