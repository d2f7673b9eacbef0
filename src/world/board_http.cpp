#include "world/board_http.h"

#include <curl/curl.h>

#include <mutex>

#include "saves/player_name.h"

namespace {
struct Gathered {
    std::string body;
    size_t most = 0;
    bool tooLarge = false;
};

size_t gather(char* data, size_t size, size_t count, void* target) {
    auto* gathered = static_cast<Gathered*>(target);
    const size_t bytes = size * count;
    if (gathered->body.size() + bytes > gathered->most) {
        gathered->tooLarge = true;
        return 0;  // curl stops: no answer is worth more than the bound
    }
    gathered->body.append(data, bytes);
    return bytes;
}

int stopWhenCancelled(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return cancel != nullptr && static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

void startCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}
}  // namespace

std::string pathSegment(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

BoardReply askBoard(const std::string& method, const std::string& board, const std::string& path,
                    const std::string& body, const std::string& player, const std::string& token,
                    const BoardExchangeLimits& limits) {
    BoardReply reply;
    if (!isBoardAddress(board)) {
        reply.problem = "the board's address is not an http:// or https:// one";
        return reply;
    }
    startCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        reply.problem = "no network library to reach the board with";
        return reply;
    }
    Gathered gathered;
    gathered.most = limits.bodyBytesMax;
    const std::string url = board + path;
    curl_slist* headers = nullptr;
    if (!player.empty()) {
        headers = curl_slist_append(headers, ("X-Zentrix-Player: " + player).c_str());
    }
    if (!token.empty()) {
        headers = curl_slist_append(headers, ("Authorization: Bearer " + token).c_str());
    }
    if (method == "POST") {
        headers = curl_slist_append(headers, "Content-Type: application/octet-stream");
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // a worker thread: no alarm signals
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalMs);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "zentrix/" ZENTRIX_VERSION);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, gather);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &gathered);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, stopWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(limits.cancel));
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        reply.reached = true;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
        reply.body = std::move(gathered.body);
    } else if (gathered.tooLarge) {
        reply.problem = "the board's answer is larger than any it should give";
    } else {
        reply.problem = std::string("board unreachable: ") + curl_easy_strerror(code);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
}
