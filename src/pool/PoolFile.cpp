#include "pool/PoolFile.h"

#include <filesystem>
#include <fstream>

namespace orvane {

namespace {

// One field of the pool file as it is read, character by character: blanks
// around it, an optional sign, digits. Anything else makes it not a whole number.
struct Field {
    bool started = false;   // a character other than a blank was met
    bool closed = false;    // a blank followed the field's characters
    bool negative = false;
    bool signed_ = false;
    bool digits = false;
    bool malformed = false;
    long long value = 0;

    void take(char c) {
        if (c == ' ' || c == '\t') {
            closed = started;
            return;
        }
        // A character after the field's blank is as malformed as one that is no digit.
        if (!closed && !started && (c == '-' || c == '+')) {
            signed_ = true;
            negative = c == '-';
        } else if (!closed && c >= '0' && c <= '9') {
            digits = true;
            // Enough to tell any number outside 1 to 49, without overflow.
            if (value < 1000) value = value * 10 + (c - '0');
        } else
            malformed = true;
        started = true;
    }
};

enum class FieldEnd { Taken, Empty, Failed };

// Takes a finished field into the read: an empty one ends the list, a number
// is range-checked before it is kept.
FieldEnd endField(const Field& field, PoolFileRead& read) {
    if (!field.started) return FieldEnd::Empty;
    if (field.malformed || !field.digits) {
        read.error = PoolLoadError::NotANumber;
        return FieldEnd::Failed;
    }
    const long long number = field.negative ? -field.value : field.value;
    if (number < 1 || number > 49) {
        read.error = PoolLoadError::OutOfRange;
        return FieldEnd::Failed;
    }
    read.numbers.push_back(static_cast<int>(number));
    return FieldEnd::Taken;
}

} // namespace

PoolFileRead readPoolFile(const std::string& path) {
    PoolFileRead read;
    std::error_code ignored;
    std::ifstream in;
    if (!std::filesystem::is_regular_file(path, ignored) || (in.open(path, std::ios::binary), !in)) {
        read.error = PoolLoadError::Unreadable;
        return read;
    }
    Field field;
    // Fields end at a comma or a line end (CR LF, LF or CR); the end of the
    // file ends the last one only if it holds something.
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == ',' || c == '\n' || c == '\r') {
            if (c == '\r' && in.peek() == '\n') in.get();
            if (endField(field, read) != FieldEnd::Taken) return read;
            field = Field{};
            continue;
        }
        field.take(static_cast<char>(c));
    }
    if (in.bad()) {
        read.error = PoolLoadError::Unreadable;
        return read;
    }
    if (field.started) endField(field, read);
    return read;
}

Notice poolLoadNotice(PoolLoadError error) {
    return Notice{"A problem has ocurred: Either the output file from Gathra cannot be found or it was saved in "
                  "Verbose format.  Please correct the problem and try again.  Error code " +
                      std::to_string(static_cast<int>(error)) + " reported.",
                  "Unable To Continue", NoticeIcon::Exclamation};
}

} // namespace orvane
