#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/token_reader.h"
#include "models/mesh_object.h"

// Walks an ASE text by its braces, so keywords and whole blocks the game does
// not read are passed over wherever they stand, and checks every value it
// reads. The first failure is kept as the reason the file was refused.
class AseWalk {
public:
    AseWalk(TokenReader& reader, std::string* reason) : reader_(reader), reason_(reason) {}

    TokenReader& reader() { return reader_; }
    // Always false, so a check can end with `return fail(...)`.
    bool fail(const std::string& why);

    // Reads the block whose opening brace was just read, up to its closing
    // brace. Every other token goes to onToken(token), which reads the values
    // that follow it when it wants them; every nested block goes to
    // onBlock(opener), opener being the keyword before its brace, which reads
    // the block (readBlock) or passes over it (skipBlock). Both return false to
    // stop the walk.
    template <typename OnToken, typename OnBlock>
    bool readBlock(const char* name, OnToken&& onToken, OnBlock&& onBlock);
    // Passes over the block whose opening brace was just read, nested ones too.
    bool skipBlock(const std::string& name);

    bool readInt(const char* what, int32_t& value);
    bool readFloat(const char* what, double& value);
    bool readFloat(const char* what, float& value);
    // The file's (x, y, z) in the game's axes: the export is Z-up, the game Y-up.
    bool readSwappedTriple(const char* what, Float3& v);
    // A count of entries, each of which takes at least leastEntryBytes of text:
    // a count the whole text could not hold is refused before anything is
    // sized by it.
    bool readCount(const char* what, std::size_t leastEntryBytes, int32_t& count);

private:
    // The next token, which must be a value: present, and neither a brace nor
    // a keyword (either would mean the entry is short).
    bool readValueToken(const char* what, std::string& token);

    TokenReader& reader_;
    std::string* reason_;
};

// The least text an entry takes: its keyword, then a blank and a digit for
// each number after it.
constexpr std::size_t leastEntryBytes(const char* keyword, std::size_t numbers) {
    return std::char_traits<char>::length(keyword) + 2 * numbers;
}

template <typename OnToken, typename OnBlock>
bool AseWalk::readBlock(const char* name, OnToken&& onToken, OnBlock&& onBlock) {
    std::string opener;
    for (;;) {
        const std::string token = reader_.nextToken();
        if (token.empty()) {
            return fail(std::string("text ends inside ") + name);
        }
        if (token == "}") {
            return true;
        }
        if (token == "{") {
            if (!onBlock(opener)) {
                return false;
            }
            opener.clear();
            continue;
        }
        if (token[0] == '*') {
            opener = token;
        }
        if (!onToken(token)) {
            return false;
        }
    }
}
