#include "tests/images/fake_resources.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "images/resource_lookup.h"

namespace {

struct FakeStream {
    std::unique_ptr<unsigned char[]> bytes;
    uint32_t size = 0;
};

std::map<std::string, FakeStream>& streams() {
    static std::map<std::string, FakeStream> table;
    return table;
}

int lookups = 0;

}  // namespace

void SetFakeResource(const char* name, const unsigned char* bytes, uint32_t size) {
    FakeStream stream;
    stream.bytes.reset(new unsigned char[size]);
    if (size != 0) std::memcpy(stream.bytes.get(), bytes, size);
    stream.size = size;
    streams()[name] = std::move(stream);
}

void SetFakeResource(const char* name, const std::vector<unsigned char>& bytes) {
    SetFakeResource(name, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void ClearFakeResources() {
    streams().clear();
    lookups = 0;
}

int FakeLookupCount() { return lookups; }

bool LookupImageResource(const char* name, const unsigned char** bytes, uint32_t* size) {
    ++lookups;
    auto found = streams().find(name);
    if (found == streams().end()) return false;
    *bytes = found->second.bytes.get();
    *size = found->second.size;
    return true;
}
