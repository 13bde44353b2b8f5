#include "run_log.h"

#include <cstdarg>
#include <new>

namespace huereq {

namespace {

constexpr std::size_t MESSAGE_CHARS = 2048;
constexpr std::size_t LINE_CHARS = 560;

RunLog* theLog = nullptr;

} // namespace

std::string logFileName(const SYSTEMTIME& t) {
    char name[64];
    std::snprintf(name, sizeof name, "\\%04d%02d%02d-%d%02d%02d.log", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return name;
}

std::string logLine(const SYSTEMTIME& t, const char* message) {
    char line[LINE_CHARS];
    const int length = std::snprintf(line, sizeof line, "%04d.%02d.%02d %d:%02d:%02d %s\n", t.wYear,
                                     t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, message);
    if (length >= static_cast<int>(sizeof line))
        line[sizeof line - 2] = '\n'; // cut, but still one line
    return line;
}

RunLog* RunLog::instance() {
    if (theLog == nullptr)
        theLog = new (std::nothrow) RunLog();
    return theLog;
}

void RunLog::shutdown() {
    if (theLog != nullptr)
        theLog->close();
    delete theLog;
    theLog = nullptr;
}

void RunLog::open(const char* directory, unsigned options) {
    if (isOpen() || directory == nullptr)
        return;
    if (::GetFileAttributesA(directory) == INVALID_FILE_ATTRIBUTES)
        return; // no directory: no log for this run
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::string path = directory + logFileName(now);
    if (path.size() >= sizeof path_)
        return;
    path.copy(path_, path.size());
    path_[path.size()] = '\0';
    options_ = options;
    openFile();
    options_ |= OPEN;
    writeText("\n");
}

void RunLog::openFile() {
    if (file_)
        return;
    for (int attempt = 0; attempt < 2; ++attempt) {
        file_.reset(std::fopen(path_, "a+t"));
        if (!file_)
            return;
        std::fseek(file_.get(), 0, SEEK_END);
        const unsigned long size = static_cast<unsigned long>(std::ftell(file_.get()));
        std::fseek(file_.get(), 0, SEEK_SET);
        if (size < MAX_SIZE_KB * 1024ul)
            return;
        // Full: start the file anew under the same name.
        file_.reset();
        std::remove(path_);
    }
}

void RunLog::writeText(const char* text) {
    if (!isOpen() || text == nullptr)
        return;
    openFile();
    if (file_)
        std::fputs(text, file_.get());
    file_.reset();
}

void RunLog::print(const char* format, ...) {
    if (!isOpen() || format == nullptr)
        return;
    char message[MESSAGE_CHARS];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args); // cuts what does not fit
    va_end(args);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    writeText(logLine(now, message).c_str());
}

void RunLog::close() {
    file_.reset();
    options_ &= ~OPEN;
}

} // namespace huereq
