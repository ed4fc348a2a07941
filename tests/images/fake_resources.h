#pragma once

#include <cstdint>
#include <vector>

// The streams LookupImageResource answers with in tests. Each is copied to end right
// before an inaccessible page, so that a read past its end faults.
void SetFakeResource(const char* name, const unsigned char* bytes, uint32_t size);
void SetFakeResource(const char* name, const std::vector<unsigned char>& bytes);
void ClearFakeResources();
// How often LookupImageResource has been asked since the last clear.
int FakeLookupCount();
