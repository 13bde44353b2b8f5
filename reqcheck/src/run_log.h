// The checker's run log: one file per run in a directory that must already
// exist, one time-stamped line per message.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace huereq {

// The log file's name for a run opened at `time`: "\YYYYMMDD-HMMSS.log"
// (the hour without a leading zero).
std::string logFileName(const SYSTEMTIME& time);
// A message line written at `time`: "YYYY.MM.DD H:MM:SS message\n". A line
// that does not fit the line buffer is cut, keeping its line end.
std::string logLine(const SYSTEMTIME& time, const char* message);

class RunLog {
public:
    // The process's log, made on first use; null when it cannot be made
    // (the next call tries again).
    static RunLog* instance();
    // Closes and destroys the log; a later instance() makes a new one.
    static void shutdown();

    // Starts logging into a new file in `directory`, when that directory
    // exists; writes the run's empty first line.
    void open(const char* directory, unsigned options);
    // Appends one time-stamped line; a message of 2048 characters or more
    // is cut.
    void print(const char* format, ...);
    // Appends text as it is.
    void writeText(const char* text);
    void close();

    bool isOpen() const { return (options_ & OPEN) != 0; }
    // The log file's path; empty until open succeeds.
    const char* path() const { return path_; }

private:
    static constexpr unsigned OPEN = 4;
    static constexpr unsigned MAX_SIZE_KB = 1024;

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    RunLog() = default;
    // Opens the file for appending unless it is open; a file that reached
    // the size limit is deleted first.
    void openFile();

    std::unique_ptr<std::FILE, FileCloser> file_;
    char path_[MAX_PATH] = {};
    unsigned options_ = 1;
};

} // namespace huereq
