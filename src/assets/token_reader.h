#pragma once

#include <cstdint>
#include <string>

#include "math/vector3.h"

// A small in-memory tokeniser over a whole text file. Tokens are runs of bytes
// above 32 (as signed bytes); every token read is upper-cased in place.
class TokenReader {
public:
    // The largest text the reader takes. The craft is a quarter of a megabyte
    // and real exports of whole scenes a few megabytes; anything past this is
    // refused before a byte of it is read, so a sparse or endless file costs
    // nothing.
    static constexpr int32_t MAX_TEXT_BYTES = 64 * 1024 * 1024;

    // Reads the whole file. A file that is missing, not a regular file or
    // cannot be opened leaves opened() false; one that is too large or cannot
    // be read to its end leaves the reader empty with whole() false.
    explicit TokenReader(const std::string& path);
    // A reader over text already in memory (the fuzzer and tests use this).
    static TokenReader fromText(std::string text);

    bool opened() const { return opened_; }
    bool whole() const { return whole_; }
    // True once a read found no token left: the text ended where more was expected.
    bool ranOut() const { return ranOut_; }
    bool atEnd() const { return position_ >= size(); }
    int32_t position() const { return position_; }
    int32_t size() const { return static_cast<int32_t>(text_.size()); }

    // The next token, upper-cased; empty once the text is exhausted.
    std::string nextToken();
    // Whether the file itself wrote the last token in upper case.
    bool lastTokenWasUpperCase() const { return lastTokenWasUpperCase_; }
    int32_t readInt();
    double readFloat();
    // Reads tokens up to and including keyword; false when the text ended first.
    bool skipTo(const char* keyword);
    int32_t countOccurrences(const char* keyword) const;

    // A token's value as readInt and readFloat convert it.
    static int32_t toInt(const std::string& token);
    static double toFloat(const std::string& token);

private:
    TokenReader() = default;
    std::string text_;
    int32_t position_ = 0;
    bool opened_ = false;
    bool whole_ = false;
    bool ranOut_ = false;
    bool lastTokenWasUpperCase_ = true;
};

// Three numbers in a row, as x, y, z.
Vector3 readVector3(TokenReader& reader);
