#include "platform/unix/registry_file.h"

#include <algorithm>
#include <cstdio>

#include "platform/unix/registry_encoding.h"

namespace {

const char kRootPrefix[] = "HKEY_CURRENT_USER\\";
const char kUtf16Mark[] = "\xFF\xFE";

// A carriage return counts as a space, so that CR LF lines in a file of LF lines still read.
const char kSpace[] = " \t\r";

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "[HKEY_CURRENT_USER\path]" gives path; other roots, deletions and broken headers give no
// key, so that the values after them do not land in the key before.
bool SectionPath(const std::string& line, std::string* path) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') return false;
    if (trimmed.size() < 2 || trimmed.back() != ']') {
        *path = std::string();
        return true;
    }
    const std::string inner = trimmed.substr(1, trimmed.size() - 2);
    const size_t prefix = sizeof kRootPrefix - 1;
    if (inner.size() <= prefix || !SameText(inner.substr(0, prefix), kRootPrefix)) {
        *path = std::string();
        return true;
    }
    *path = inner.substr(prefix);
    return true;
}

// A quoted string from `text` at `*pos` (just past its opening quote), with \\ and \"
// escapes; leaves *pos past the closing quote.
bool ReadQuoted(const std::string& text, size_t* pos, std::string* out) {
    out->clear();
    for (size_t i = *pos; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            *pos = i + 1;
            return true;
        }
        if (c == '\\') {
            if (++i == text.size()) return false;
            out->push_back(text[i]);
        } else {
            out->push_back(c);
        }
    }
    return false;
}

// A section header or a value definition: such a line is never part of the one before.
bool StartsEntry(const std::string& line) {
    const size_t first = line.find_first_not_of(kSpace);
    if (first == std::string::npos) return false;
    return line[first] == '[' || line[first] == '"' || line.compare(first, 2, "@=") == 0;
}

bool IsHexData(const std::string& data) {
    const std::string trimmed = Trim(data);
    return trimmed.compare(0, 4, "hex:") == 0 || trimmed.compare(0, 4, "hex(") == 0;
}

// The value name and the data text of the logical value line starting at `line`; only hex
// data continues over lines ending in a backslash. *next is the line after it.
bool ValueLine(const std::vector<std::string>& lines, size_t line, std::string* name, std::string* data,
               size_t* next) {
    const std::string first = Trim(lines[line]);
    size_t pos = 0;
    if (first.compare(0, 2, "@=") == 0) {
        name->clear();
        pos = 1;
    } else if (!first.empty() && first[0] == '"') {
        pos = 1;
        if (!ReadQuoted(first, &pos, name)) return false;
        if (pos >= first.size() || first[pos] != '=') return false;
    } else {
        return false;
    }
    *data = first.substr(pos + 1);
    *next = line + 1;
    if (!IsHexData(*data)) return true;
    // The backslash marks a continuation whatever follows, so that a line added after it
    // leaves the value as it was.
    while (!data->empty() && data->back() == '\\') {
        data->pop_back();
        if (*next == lines.size() || StartsEntry(lines[*next])) break;
        *data += Trim(lines[*next]);
        ++*next;
    }
    return true;
}

}  // namespace

bool ParseRegistryData(const std::string& raw, std::vector<uint8_t>* bytes) {
    const std::string data = Trim(raw);
    bytes->clear();
    if (data.compare(0, 6, "dword:") == 0) {
        const std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) return false;
        uint32_t value = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            value = value << 4 | static_cast<uint32_t>(d);
        }
        for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
        return true;
    }
    if (!data.empty() && data[0] == '"') {
        size_t pos = 1;
        std::string text;
        if (!ReadQuoted(data, &pos, &text) || pos != data.size()) return false;
        bytes->assign(text.begin(), text.end());
        bytes->push_back(0);
        return true;
    }
    size_t hex = std::string::npos;
    if (data.compare(0, 4, "hex:") == 0) {
        hex = 4;
    } else if (data.compare(0, 4, "hex(") == 0) {
        const size_t close = data.find("):", 4);
        if (close == std::string::npos || close == 4) return false;
        for (size_t i = 4; i < close; ++i) {
            if (HexDigit(data[i]) < 0) return false;
        }
        hex = close + 2;
    } else {
        return false;
    }
    const std::string list = data.substr(hex);
    size_t pos = 0;
    while (pos < list.size()) {
        const size_t comma = list.find(',', pos);
        const std::string item = Trim(list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        if (item.empty() || item.size() > 2) return false;
        int value = 0;
        for (char c : item) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            value = value << 4 | d;
        }
        bytes->push_back(static_cast<uint8_t>(value));
        if (comma == std::string::npos) break;
        pos = comma + 1;
        if (pos == list.size()) return false;  // a trailing comma
    }
    return true;
}

RegistryFile RegistryFile::parse(const std::string& bytes) {
    RegistryFile file;
    std::string decoded;
    if (bytes.compare(0, 2, kUtf16Mark) == 0) {
        file.utf16 = true;
        decoded = Utf16LeToUtf8(bytes.data() + 2, bytes.size() - 2);
    }
    const std::string& text = file.utf16 ? decoded : bytes;
    // The first line's end tells; a file of one unended line ending in CR counts as CR LF.
    const size_t firstEnd = std::min(text.find('\n'), text.size());
    file.crlf = firstEnd > 0 && text[firstEnd - 1] == '\r';
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        size_t length = end - start;
        if (file.crlf && length > 0 && text[end - 1] == '\r') --length;
        file.lines.emplace_back(text, start, length);
        start = end + 1;
    }
    return file;
}

std::string RegistryFile::text() const {
    const char* end = crlf ? "\r\n" : "\n";
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += end;
    }
    return utf16 ? kUtf16Mark + Utf8ToUtf16Le(out) : out;
}

bool RegistryFile::hasKey(const std::string& path) const {
    std::string section;
    for (const std::string& line : lines) {
        if (SectionPath(line, &section) && SameText(section, path)) return true;
    }
    return false;
}

bool RegistryFile::queryValue(const std::string& path, const std::string& wanted,
                              std::vector<uint8_t>* data) const {
    // A later definition overrides an earlier one, as importing the file would.
    bool inKey = false;
    bool found = false;
    bool valid = false;
    for (size_t i = 0; i < lines.size();) {
        std::string section;
        if (SectionPath(lines[i], &section)) {
            inKey = SameText(section, path);
            ++i;
            continue;
        }
        std::string name, text;
        size_t next = i + 1;
        if (inKey && ValueLine(lines, i, &name, &text, &next) && SameText(name, wanted)) {
            found = true;
            std::vector<uint8_t> bytes;
            valid = Trim(text) != "-" && ParseRegistryData(text, &bytes);
            if (valid) *data = bytes;
        }
        i = next;
    }
    return found && valid;
}

void RegistryFile::addKey(const std::string& path) {
    if (hasKey(path)) return;
    if (lines.empty()) lines.push_back(utf16 ? "Windows Registry Editor Version 5.00" : "REGEDIT4");
    if (!Trim(lines.back()).empty()) lines.push_back("");
    lines.push_back("[" + std::string(kRootPrefix) + path + "]");
}

void RegistryFile::setDword(const std::string& path, const std::string& wanted, uint32_t value) {
    addKey(path);
    std::string escaped;
    for (char c : wanted) {
        if (c == '"' || c == '\\') escaped.push_back('\\');
        escaped.push_back(c);
    }
    char data[16];
    snprintf(data, sizeof data, "dword:%08x", value);
    const std::string line = "\"" + escaped + "\"=" + data;

    // The last section of the key is the one whose values win; change or extend that one.
    size_t sectionStart = 0;
    std::string section;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (SectionPath(lines[i], &section) && SameText(section, path)) sectionStart = i;
    }
    size_t lastContent = sectionStart;
    size_t definition = 0, definitionEnd = 0;  // the last one: first line, line after
    for (size_t i = sectionStart + 1; i < lines.size();) {
        if (SectionPath(lines[i], &section)) break;
        std::string name, text;
        size_t next = i + 1;
        if (ValueLine(lines, i, &name, &text, &next) && SameText(name, wanted)) {
            definition = i;
            definitionEnd = next;
        }
        if (!Trim(lines[i]).empty()) lastContent = next - 1;
        i = next;
    }
    // Earlier definitions stay: dropping one could join the lines around it into one value.
    if (definitionEnd == 0) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), line);
        return;
    }
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(definition + 1),
                lines.begin() + static_cast<std::ptrdiff_t>(definitionEnd));
    lines[definition] = line;
}
