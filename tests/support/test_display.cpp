#include "support/test_display.h"

#include <stdexcept>
#include <string>

#include "support/harness/private_xvfb.h"

namespace testsupport {

void ensureTestDisplay() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    if (!startPrivateXvfb()) {
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
}

std::string sourcePath(const std::string& relative) {
    return std::string(ZENTRIX_SOURCE_DIR) + "/" + relative;
}

std::string publicTestdataPath(const std::string& relative) {
    return std::string(ZENTRIX_SOURCE_DIR) + "/tests/data/" + relative;
}

}  // namespace testsupport
