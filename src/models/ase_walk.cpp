#include "models/ase_walk.h"

bool AseWalk::fail(const std::string& why) {
    if (reason_ != nullptr && reason_->empty()) {
        *reason_ = why;
    }
    return false;
}

bool AseWalk::skipBlock(const std::string& name) {
    // Counted, not recursed: a file of nothing but opening braces is no danger.
    int64_t depth = 1;
    while (depth > 0) {
        const std::string token = reader_.nextToken();
        if (token.empty()) {
            return fail("text ends inside " + (name.empty() ? std::string("a block") : name));
        }
        if (token == "{") {
            ++depth;
        } else if (token == "}") {
            --depth;
        }
    }
    return true;
}

bool AseWalk::readValueToken(const char* what, std::string& token) {
    token = reader_.nextToken();
    if (token.empty()) {
        return fail(std::string("text ends inside ") + what);
    }
    if (token == "{" || token == "}" || token[0] == '*') {
        return fail(std::string(what) + " is short of a number before " + token);
    }
    return true;
}

bool AseWalk::readInt(const char* what, int32_t& value) {
    std::string token;
    if (!readValueToken(what, token)) {
        return false;
    }
    value = TokenReader::toInt(token);
    return true;
}

bool AseWalk::readFloat(const char* what, double& value) {
    std::string token;
    if (!readValueToken(what, token)) {
        return false;
    }
    value = TokenReader::toFloat(token);
    return true;
}

bool AseWalk::readFloat(const char* what, float& value) {
    double wide = 0.0;
    if (!readFloat(what, wide)) {
        return false;
    }
    value = static_cast<float>(wide);
    return true;
}

bool AseWalk::readSwappedTriple(const char* what, Float3& v) {
    return readFloat(what, v.x) && readFloat(what, v.z) && readFloat(what, v.y);
}

bool AseWalk::readCount(const char* what, std::size_t leastEntryBytes, int32_t& count) {
    if (!readInt(what, count)) {
        return false;
    }
    const uint64_t textBytes = static_cast<uint64_t>(reader_.size());
    if (count < 0 || static_cast<uint64_t>(count) * leastEntryBytes > textBytes) {
        return fail(std::string(what) + " " + std::to_string(count) + " cannot fit in a text of " +
                    std::to_string(textBytes) + " bytes");
    }
    return true;
}
