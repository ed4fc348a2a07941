#pragma once

#include <cstdint>
#include <vector>

// The streams LookupImageResource answers with in tests. Each is copied into a heap block
// of exactly its size, so that a read past its end is caught under AddressSanitizer.
void SetFakeResource(const char* name, const unsigned char* bytes, uint32_t size);
void SetFakeResource(const char* name, const std::vector<unsigned char>& bytes);
void ClearFakeResources();
// How often LookupImageResource has been asked since the last clear.
int FakeLookupCount();
