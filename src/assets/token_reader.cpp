#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "assets/ase_reader.h"
#include "assets/file_lookup.h"
#include "math/vector3.h"

namespace {
// Bytes above 32 as signed bytes: blanks, control bytes and 0x80..0xFF separate tokens.
bool isTokenByte(char c) {
    return static_cast<signed char>(c) > 32;
}
}  // namespace

TokenReader::TokenReader(const std::string& path) {
    const std::string found = findFileIgnoringCase(path);
    struct stat info;
    if (stat(found.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return;
    }
    std::FILE* file = std::fopen(found.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    opened_ = true;
    // Positions are 32-bit; a larger file is left empty, which the loader rejects.
    if (info.st_size > 0 && info.st_size <= std::numeric_limits<int32_t>::max()) {
        text_.resize(static_cast<std::size_t>(info.st_size));
        text_.resize(std::fread(&text_[0], 1, text_.size(), file));
    }
    std::fclose(file);
}

TokenReader TokenReader::fromText(std::string text) {
    TokenReader reader;
    if (text.size() <= static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        reader.text_ = std::move(text);
    }
    reader.opened_ = true;
    return reader;
}

std::string TokenReader::nextToken() {
    const int32_t end = size();
    while (position_ < end && !isTokenByte(text_[position_])) {
        ++position_;
    }
    const int32_t start = position_;
    while (position_ < end && isTokenByte(text_[position_])) {
        char& c = text_[position_];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
        ++position_;
    }
    if (start == position_) {
        ranOut_ = true;
    }
    return text_.substr(start, position_ - start);
}

int32_t TokenReader::readInt() {
    const std::string token = nextToken();
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

double TokenReader::readFloat() {
    const std::string token = nextToken();
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

Color3::Color3(TokenReader& reader) {
    r = reader.readFloat();
    g = reader.readFloat();
    b = reader.readFloat();
}

Vector3::Vector3(TokenReader& reader) {
    readFrom(reader);
}

void Vector3::readFrom(TokenReader& reader) {
    x = reader.readFloat();
    y = reader.readFloat();
    z = reader.readFloat();
}
