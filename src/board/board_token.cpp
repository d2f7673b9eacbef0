#include "board/board_token.h"

#include <openssl/evp.h>
#include <sys/random.h>

namespace {
std::string hex(const unsigned char* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}
}  // namespace

std::string newBoardToken() {
    unsigned char bytes[32];
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        return "";
    }
    return hex(bytes, sizeof bytes);
}

std::string sha256Hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr);
    return hex(digest, size);
}

std::string boardTokenHash(const std::string& token) {
    return token.empty() ? "" : sha256Hex(token);
}
