#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// A material colour as the file gives it.
struct Color3 {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;

    Color3() = default;
    Color3(double r_, double g_, double b_) : r(r_), g(g_), b(b_) {}
    explicit Color3(TokenReader& reader);

    void set(double r_, double g_, double b_);
    Color3& operator+=(const Color3& c);
    Color3& operator-=(const Color3& c);
    Color3& operator*=(double s);
    Color3 operator*(double s) const;
    Color3 operator*(const Color3& c) const;  // component-wise
    static Color3 weightedSum(const Color3& a, double s, const Color3& b, double t);
    bool operator==(const Color3& c) const;
    void clamp();
    double distanceTo(const Color3& c) const;
};

// Zero-based vertex indices of one triangle, in the file's order.
struct Face {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
};

struct Float3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct TexFace {
    float uv[6] = {0, 0, 0, 0, 0, 0};
};

// One part of the craft, in the game's axes (the file's (x, y, z) as (x, z, y)).
struct MeshObject {
    int32_t vertexCount = 0;
    std::vector<Float3> vertices;
    int32_t faceCount = 0;
    std::vector<Face> faces;
    std::vector<Float3> faceNormals;
    std::vector<Float3> cornerNormals;  // three per face: corners a, b, c
    Color3 color;
    int32_t texVertexCount = 0;
    std::vector<float> texVertices;  // u, v pairs
    int32_t texFaceCount = 0;
    std::vector<TexFace> texFaces;
    int32_t materialRef = 0;
};
