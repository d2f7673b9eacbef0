#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct CapturedBox {
    std::string text;
    std::string caption;
};

// While alive, message boxes are recorded here instead of shown.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    const std::vector<CapturedBox>& boxes() const;
    void clear();
};

}  // namespace testsupport
