#include "support/message_capture.h"

#include "assets/player_messages.h"

namespace testsupport {
namespace {
std::vector<CapturedBox> gBoxes;

void record(const char* text, const char* caption) {
    gBoxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : ""});
}
}  // namespace

MessageCapture::MessageCapture() {
    gBoxes.clear();
    setMessageBoxHandler(record);
}

MessageCapture::~MessageCapture() {
    setMessageBoxHandler(nullptr);
}

const std::vector<CapturedBox>& MessageCapture::boxes() const {
    return gBoxes;
}

void MessageCapture::clear() {
    gBoxes.clear();
}

}  // namespace testsupport
