#include "tests/images/fake_resources.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "images/resource_lookup.h"

namespace {

// A stream's bytes end exactly where an inaccessible page begins, so that reading past
// the end faults in every build, not only where a sanitizer happens to notice.
struct FakeStream {
    unsigned char* mapping = nullptr;
    size_t mappingSize = 0;
    const unsigned char* bytes = nullptr;
    uint32_t size = 0;

    FakeStream(const unsigned char* from, uint32_t count) : size(count) {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        const size_t dataPages = (count + page - 1) / page * page;
        mappingSize = dataPages + page;
        void* base = mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) std::abort();
        mapping = static_cast<unsigned char*>(base);
        if (mprotect(mapping + dataPages, page, PROT_NONE) != 0) std::abort();
        unsigned char* start = mapping + dataPages - count;
        if (count != 0) std::memcpy(start, from, count);
        bytes = start;
    }
    ~FakeStream() { munmap(mapping, mappingSize); }
    FakeStream(const FakeStream&) = delete;
    FakeStream& operator=(const FakeStream&) = delete;
};

std::map<std::string, FakeStream>& streams() {
    static std::map<std::string, FakeStream> table;
    return table;
}

int lookups = 0;

}  // namespace

void SetFakeResource(const char* name, const unsigned char* bytes, uint32_t size) {
    streams().erase(name);
    streams().emplace(std::piecewise_construct, std::forward_as_tuple(name), std::forward_as_tuple(bytes, size));
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
    *bytes = found->second.bytes;
    *size = found->second.size;
    return true;
}
