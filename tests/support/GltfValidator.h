// The Khronos glTF validator, run with the machine's Node.js on files the tests write. The first test
// that needs it installs it from the npm registry into the build folder.
#pragma once

#include <string>

namespace korvel::test {

struct GltfReport {
    // False when the validator could not be installed or run; `text` then says why.
    bool ran = false;
    int errors = 0;
    int warnings = 0;
    // The whole report as JSON (or the failure's output).
    std::string text;
};

GltfReport ValidateGltf(const std::string& path);

} // namespace korvel::test
