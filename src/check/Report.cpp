#include "check/Report.h"

void Report::error(const std::string& path, int line, const std::string& text) {
    findings.push_back({path, line < 1 ? 1 : line, true, text});
}

void Report::warning(const std::string& path, int line, const std::string& text) {
    findings.push_back({path, line < 1 ? 1 : line, false, text});
}

int Report::exitStatus() const {
    int status = 0;
    for (const Finding& finding : findings) status = std::max(status, finding.error ? 2 : 1);
    return status;
}

std::string Report::firstError() const {
    for (const Finding& finding : findings) {
        if (finding.error) return format(finding);
    }
    return {};
}

std::string Report::format(const Finding& finding) const {
    return prefix + finding.path + ":" + std::to_string(finding.line) + (finding.error ? ": error: " : ": warning: ") +
           finding.text;
}

void Report::print(std::FILE* out) const {
    for (const Finding& finding : findings) std::fprintf(out, "%s\n", format(finding).c_str());
}
