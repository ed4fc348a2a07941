// The XScreenSaver list editor on any bytes. Properties: a file with a programs resource
// gets the entry as its last program, every other program as before and every byte kept;
// a second edit finds it listed; a file without one is left alone; a list made from
// defaults holds the entry.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/x11/xscreensaver_list.h"

namespace {

#define CHECK(condition)                                                                  \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            fprintf(stderr, "xscreensaver_list_fuzz: %s (line %d)\n", #condition, __LINE__); \
            abort();                                                                      \
        }                                                                                 \
    } while (0)

const char kEntry[] = "GL: brisalo --root";

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (Blank(s[b]) || s[b] == '\n')) ++b;
    while (e > b && (Blank(s[e - 1]) || s[e - 1] == '\n')) --e;
    return s.substr(b, e - b);
}

// The programs as a reader sees them, line by line: false when there is no resource.
bool Listed(const std::string& text, std::vector<std::string>* programs) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t p = 0;
        const std::string& line = lines[i];
        while (p < line.size() && Blank(line[p])) ++p;
        if (p < line.size() && line[p] == '*') ++p;
        if (line.compare(p, 8, "programs") != 0) continue;
        p += 8;
        while (p < line.size() && Blank(line[p])) ++p;
        if (p >= line.size() || line[p] != ':') continue;
        std::string value;
        for (std::string rest = line.substr(p + 1);; rest = lines[i]) {
            if (!rest.empty() && rest.back() == '\r') rest.pop_back();
            // A continuation at the end of the text continues into nothing.
            const bool continued = !rest.empty() && rest.back() == '\\';
            value += continued ? rest.substr(0, rest.size() - 1) : rest;
            if (!continued || i + 1 == lines.size()) break;
            ++i;
        }
        std::string program;
        for (size_t k = 0; k <= value.size(); ++k) {
            if (k == value.size() || (value[k] == '\\' && k + 1 < value.size() && value[k + 1] == 'n')) {
                if (!Trimmed(program).empty()) programs->push_back(Trimmed(program));
                program.clear();
                ++k;
            } else {
                program += value[k];
            }
        }
        return true;
    }
    return false;
}

bool Subsequence(const std::string& part, const std::string& whole) {
    size_t k = 0;
    for (size_t i = 0; i < whole.size() && k < part.size(); ++i) {
        if (whole[i] == part[k]) ++k;
    }
    return k == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;  // longer lists add nothing new
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> before;
    const bool hasList = Listed(text, &before);

    std::string edited;
    const ListEdit result = AddToProgramsList(text, kEntry, &edited);
    CHECK((result == ListEdit::NoList) == !hasList);
    if (result == ListEdit::Added) {
        CHECK(Subsequence(text, edited));
        std::vector<std::string> after;
        CHECK(Listed(edited, &after));
        before.push_back(kEntry);
        CHECK(after == before);
        std::string again;
        CHECK(AddToProgramsList(edited, kEntry, &again) == ListEdit::AlreadyListed);
    }

    const std::string made = NewListFromDefaults(text, kEntry);
    CHECK(made.empty() == !hasList);
    if (!made.empty()) {
        std::string again;
        CHECK(AddToProgramsList(made, kEntry, &again) == ListEdit::AlreadyListed);
    }
    return 0;
}
