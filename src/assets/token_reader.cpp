#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "assets/regular_file.h"
#include "assets/token_reader.h"
#include "math/vector3.h"

namespace {
// Bytes above 32 as signed bytes: blanks, control bytes and 0x80..0xFF separate tokens.
bool isTokenByte(char c) {
    return static_cast<signed char>(c) > 32;
}
}  // namespace

TokenReader::TokenReader(const std::string& path) {
    RegularFile file;
    if (!file.open(path)) {
        return;
    }
    opened_ = true;
    // The size is known before anything is read: a file too large is refused
    // whole, however it was made.
    if (file.size() > static_cast<uint64_t>(MAX_TEXT_BYTES)) {
        return;
    }
    try {
        text_.resize(static_cast<std::size_t>(file.size()));
    } catch (const std::bad_alloc&) {
        return;
    }
    whole_ = file.readAt(0, &text_[0], text_.size());
    if (!whole_) {
        text_.clear();
    }
}

TokenReader TokenReader::fromText(std::string text) {
    TokenReader reader;
    reader.opened_ = true;
    if (text.size() <= static_cast<std::size_t>(MAX_TEXT_BYTES)) {
        reader.text_ = std::move(text);
        reader.whole_ = true;
    }
    return reader;
}

std::string TokenReader::nextToken() {
    const int32_t end = size();
    while (position_ < end && !isTokenByte(text_[position_])) {
        ++position_;
    }
    const int32_t start = position_;
    lastTokenWasUpperCase_ = true;
    while (position_ < end && isTokenByte(text_[position_])) {
        char& c = text_[position_];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
            lastTokenWasUpperCase_ = false;
        }
        ++position_;
    }
    if (start == position_) {
        ranOut_ = true;
    }
    return text_.substr(start, position_ - start);
}

int32_t TokenReader::readInt() {
    return toInt(nextToken());
}

double TokenReader::readFloat() {
    return toFloat(nextToken());
}

int32_t TokenReader::toInt(const std::string& token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    // Saturates instead of overflowing; any such count is rejected later anyway.
    int64_t value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > int64_t{1} << 32) {
            value = int64_t{1} << 32;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

double TokenReader::toFloat(const std::string& token) {
    // Only the decimal form counts (no hex, "inf" or "nan"), so the prefix is
    // found here and the C library only converts it.
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < token.size() && token[i] == 'E') {  // tokens are upper-cased
        std::size_t j = i + 1;
        if (j < token.size() && (token[j] == '+' || token[j] == '-')) {
            ++j;
        }
        if (j < token.size() && token[j] >= '0' && token[j] <= '9') {
            while (j < token.size() && token[j] >= '0' && token[j] <= '9') {
                ++j;
            }
            i = j;
        }
    }
    return std::strtod(token.substr(0, i).c_str(), nullptr);
}

bool TokenReader::skipTo(const char* keyword) {
    for (;;) {
        if (nextToken() == keyword) {
            return true;
        }
        if (position_ >= size()) {
            return false;
        }
    }
}

int32_t TokenReader::countOccurrences(const char* keyword) const {
    const int32_t length = static_cast<int32_t>(std::strlen(keyword));
    const int32_t end = size();
    int32_t count = 0;
    // The scan jumps past whatever part of the keyword matched, as the game always has.
    for (int32_t p = 0; p < end;) {
        int32_t k = 0;
        while (k < length && p + k < end && text_[p + k] == keyword[k]) {
            ++k;
        }
        if (k == length) {
            ++count;
        }
        p += 2 * k + 1;
    }
    return count;
}

Vector3 readVector3(TokenReader& reader) {
    const double x = reader.readFloat();
    const double y = reader.readFloat();
    const double z = reader.readFloat();
    return Vector3(x, y, z);
}
