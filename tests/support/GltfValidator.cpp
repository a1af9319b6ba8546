#include "support/GltfValidator.h"

#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

namespace korvel::test {

namespace {

const char* const kPackage = "gltf-validator@2.0.0-dev.3.10";
const std::string kFolder = KORVEL_BUILD_DIR "/gltf-validator";

} // namespace

GltfReport ValidateGltf(const std::string& path) {
    GltfReport report;
    // Tests running side by side install it once: the lock holds the others until it is there.
    const std::string install =
        "mkdir -p " + ShellQuote(kFolder) + " && flock " + ShellQuote(kFolder + "/.lock") +
        " sh -c 'test -f \"$0/node_modules/gltf-validator/package.json\" || npm install --prefix "
        "\"$0\" --no-save --no-audit --no-fund " +
        kPackage + "' " + ShellQuote(kFolder) + " 2>&1";
    if (RunCommand(install, &report.text) != 0) {
        report.text = "cannot install " + std::string(kPackage) + " from the npm registry:\n" + report.text;
        return report;
    }
    const std::string run = "node " + ShellQuote(KORVEL_SOURCE_DIR "/tests/support/validate-gltf.js") + " " +
                            ShellQuote(kFolder) + " " + ShellQuote(path) + " 2>&1";
    if (RunCommand(run, &report.text) != 0) {
        report.text = "the glTF validator failed on " + path + ":\n" + report.text;
        return report;
    }
    const nlohmann::json json = nlohmann::json::parse(report.text, nullptr, false);
    if (json.is_discarded() || !json.contains("issues")) {
        report.text = "the glTF validator's report is not JSON:\n" + report.text;
        return report;
    }
    report.ran = true;
    report.errors = json["issues"].value("numErrors", -1);
    report.warnings = json["issues"].value("numWarnings", -1);
    return report;
}

} // namespace korvel::test
