#include "wheel/WheelOutput.h"

#include "core/SameFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace orvane {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::size_t kLongestLine = FileWheelOutput::kLongestLine;

// Appends the shortest decimal text of a number from 1 to 49 (or any small count).
char* putNumber(char* out, std::uint64_t value) { return std::to_chars(out, out + 20, value).ptr; }

char* putSet(char* out, const Combination& set) {
    for (int k = 0; k < 6; ++k) {
        int n = set[k];
        if (n >= 10) *out++ = static_cast<char>('0' + n / 10);
        *out++ = static_cast<char>('0' + n % 10);
        *out++ = ' ';
    }
    return out - 1; // no blank after F
}

std::string lineOf(const char* begin, const char* end) { return std::string(begin, end); }

} // namespace

std::string plainSetLine(const Combination& set) {
    char line[kLongestLine];
    return lineOf(line, putSet(line, set));
}

std::string numberedFileLine(std::uint64_t passingCount, const Combination& set) {
    char line[kLongestLine];
    char* p = putNumber(line, passingCount);
    std::memcpy(p, " : ", 3);
    return lineOf(line, putSet(p + 3, set));
}

std::optional<Notice> outputOverwritesInput(const std::string& outputPath, const std::string& historyPath,
                                            const std::string& settingsPath) {
    const char* what = sameFile(outputPath, historyPath)    ? "history"
                       : sameFile(outputPath, settingsPath) ? "settings"
                                                            : nullptr;
    if (!what) return std::nullopt;
    return Notice{"The wheel output file " + outputPath + " is the " + what +
                      " file, which the sets would overwrite. Choose another output file.",
                  "Output File Error", NoticeIcon::Exclamation};
}

Notice outputFileNotice(const std::string& path, const std::string& what) {
    return Notice{"The wheel output file " + path + " " + what + ". The run has ended.", "Output File Error",
                  NoticeIcon::Exclamation};
}

std::unique_ptr<FileWheelOutput> FileWheelOutput::open(const std::string& path, DiskMode mode, bool numbered,
                                                       Notice& error) {
    std::FILE* file = std::fopen(path.c_str(), mode == DiskMode::Overwrite ? "wb" : "ab");
    if (!file) {
        error = outputFileNotice(path, std::string("could not be opened for writing (") + std::strerror(errno) + ")");
        return nullptr;
    }
    return std::unique_ptr<FileWheelOutput>(new FileWheelOutput(file, path, numbered, true));
}

std::unique_ptr<FileWheelOutput> FileWheelOutput::onStream(std::FILE* stream, std::string name, bool numbered) {
    return std::unique_ptr<FileWheelOutput>(new FileWheelOutput(stream, std::move(name), numbered, false));
}

FileWheelOutput::FileWheelOutput(std::FILE* file, std::string path, bool numbered, bool ownsFile)
    : file_(file), path_(std::move(path)), numbered_(numbered), ownsFile_(ownsFile), buffer_(kBufferSize) {}

FileWheelOutput::~FileWheelOutput() { close(); }

// Every number from 1 to 49 followed by the line end, padded to four bytes.
constexpr std::array<std::array<char, 4>, 50> lastNumberTexts() {
    std::array<std::array<char, 4>, 50> texts{};
    for (int n = 1; n <= 49; ++n) {
        int i = 0;
        if (n >= 10) texts[n][i++] = static_cast<char>('0' + n / 10);
        texts[n][i++] = static_cast<char>('0' + n % 10);
        texts[n][i++] = '\r';
        texts[n][i] = '\n';
    }
    return texts;
}
const std::array<std::array<char, 4>, 50> FileWheelOutput::kLastNumberTexts = lastNumberTexts();

void FileWheelOutput::rebuildPrefix(const Combination& set) {
    char* end = prefix_;
    for (int k = 0; k < 5; ++k) {
        prefixKey_[k] = set[k];
        if (set[k] >= 10) *end++ = static_cast<char>('0' + set[k] / 10);
        *end++ = static_cast<char>('0' + set[k] % 10);
        *end++ = ' ';
    }
    prefixLength_ = static_cast<int>(end - prefix_);
}

bool FileWheelOutput::recordText(std::string_view line, std::uint64_t passingCount) {
    if (failed_) return false;
    if (used_ + kLongestLine > buffer_.size() && !flush()) return false;
    char* p = buffer_.data() + used_;
    if (numbered_) p = putCountPrefix(p, passingCount);
    p = std::copy_n(line.data(), std::min(line.size(), kLongestLine - 24), p);
    *p++ = '\r';
    *p++ = '\n';
    used_ = static_cast<std::size_t>(p - buffer_.data());
    return true;
}

char* FileWheelOutput::putCountPrefix(char* out, std::uint64_t count) {
    out = putNumber(out, count);
    return std::copy_n(" : ", 3, out);
}

bool FileWheelOutput::flush() {
    if (used_ == 0) return true;
    std::size_t pending = used_;
    used_ = 0;
    if (std::fwrite(buffer_.data(), 1, pending, file_) != pending) {
        fail(std::string("could not be written (") + std::strerror(errno) + ")");
        return false;
    }
    return true;
}

void FileWheelOutput::fail(const std::string& what) {
    if (!failed_) failure_ = outputFileNotice(path_, what);
    failed_ = true;
}

bool FileWheelOutput::close() {
    if (!file_) return !failed_;
    flush();
    if (!failed_ && std::fflush(file_) != 0) fail(std::string("could not be written (") + std::strerror(errno) + ")");
    if (ownsFile_ && std::fclose(file_) != 0 && !failed_)
        fail(std::string("could not be closed (") + std::strerror(errno) + ")");
    file_ = nullptr;
    return !failed_;
}

} // namespace orvane
