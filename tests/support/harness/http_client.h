#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct HttpReply {
    long status = 0;  // 0 when no answer came
    std::string body;
    std::vector<std::string> headers;  // "Name: value" lines
    std::string error;                 // curl's, when status is 0
    double seconds = 0.0;              // from asking to the whole answer

    // The value of the header name (any case), or "".
    std::string header(const std::string& name) const;
};

// One request on a connection of its own, with a bound on its time.
HttpReply httpRequest(const std::string& method, const std::string& url,
                      const std::string& body = "", const std::vector<std::string>& headers = {},
                      long timeoutMs = 15000);

}  // namespace testsupport
