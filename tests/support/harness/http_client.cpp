#include "support/harness/http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace testsupport {
namespace {
size_t takeBody(char* data, size_t size, size_t count, void* reply) {
    static_cast<HttpReply*>(reply)->body.append(data, size * count);
    return size * count;
}

size_t takeHeader(char* data, size_t size, size_t count, void* reply) {
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    if (!line.empty()) {
        static_cast<HttpReply*>(reply)->headers.push_back(line);
    }
    return size * count;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

std::string HttpReply::header(const std::string& name) const {
    const std::string wanted = lowered(name) + ":";
    for (const std::string& line : headers) {
        if (lowered(line.substr(0, wanted.size())) == wanted) {
            std::string value = line.substr(wanted.size());
            value.erase(0, value.find_first_not_of(' '));
            return value;
        }
    }
    return "";
}

HttpReply httpRequest(const std::string& method, const std::string& url, const std::string& body,
                      const std::vector<std::string>& headers, long timeoutMs) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    HttpReply reply;
    CURL* curl = curl_easy_init();
    curl_slist* list = nullptr;
    for (const std::string& header : headers) {
        list = curl_slist_append(list, header.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, takeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, takeHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &reply);
    if (method == "POST" || method == "PUT") {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    }
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    } else {
        reply.error = curl_easy_strerror(code);
    }
    curl_easy_getinfo(curl, CURLINFO_TOTAL_TIME, &reply.seconds);
    curl_slist_free_all(list);
    curl_easy_cleanup(curl);
    return reply;
}

}  // namespace testsupport
