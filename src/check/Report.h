#pragma once
#include <cstdio>
#include <string>
#include <vector>

// One problem zarnoth-check found, in the form compilers use so that editors
// can jump to it: "path:line: error: text".
struct Finding {
    std::string path;
    int line = 1;
    bool error = false;
    std::string text;
};

// Everything one run of the checker found, in the order it was found.
class Report {
public:
    // `prefix` goes before every path: the data directory as the user named it.
    explicit Report(std::string prefix = {}) : prefix(std::move(prefix)) {}

    void error(const std::string& path, int line, const std::string& text);
    void warning(const std::string& path, int line, const std::string& text);

    // 0 when clean, 1 with warnings only, 2 with errors.
    int exitStatus() const;
    // The first error, formatted; empty when there is none.
    std::string firstError() const;
    std::string format(const Finding& finding) const;
    void print(std::FILE* out) const;

    std::string prefix;
    std::vector<Finding> findings;
};
