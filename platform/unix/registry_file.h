#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A registry export in the REGEDIT4 format, kept as its lines so that a rewrite changes the
// one value it sets and keeps everything else as it was, comments and oddities included.
// Key paths are under HKEY_CURRENT_USER; paths and value names compare without case, as
// the registry's do. A file keeps the form it came in: UTF-16LE with a byte order mark (what
// regedit exports) or bytes as they are, and CR LF or LF line ends.
struct RegistryFile {
    std::vector<std::string> lines;  // without line ends; UTF-8 when the file is UTF-16
    bool utf16 = false;
    bool crlf = false;

    static RegistryFile parse(const std::string& bytes);
    // The bytes to store, in the file's own encoding and line ends.
    std::string text() const;

    bool hasKey(const std::string& path) const;
    // The value's bytes as the registry hands them out: a dword as four little-endian
    // bytes, a string with its terminator, hex data as written. False when the value is
    // missing, deleted or malformed.
    bool queryValue(const std::string& path, const std::string& name, std::vector<uint8_t>* data) const;
    void addKey(const std::string& path);
    // Changes the definition that queryValue obeys (the last one in the key's last section),
    // or adds one at the end of that section.
    void setDword(const std::string& path, const std::string& name, uint32_t value);
};

// Decodes the data part of a value line ("dword:…", "\"…\"", "hex:…", "hex(n):…").
bool ParseRegistryData(const std::string& data, std::vector<uint8_t>* bytes);
