// Wiping secrets from memory in a way the optimiser cannot remove.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tl5 {

void SecureZero(void* data, size_t size);

// Strings are wiped over their whole capacity, not just their length: a shorter text assigned over a
// longer one, or a short text moved out of the string's own small buffer, leaves characters there.
inline void SecureZero(std::u16string& s) {
    s.resize(s.capacity());  // within the capacity: nothing is reallocated
    SecureZero(s.data(), s.size() * sizeof(char16_t));
    s.clear();
}
inline void SecureZero(std::string& s) {
    s.resize(s.capacity());
    SecureZero(s.data(), s.size());
    s.clear();
}
template <typename T>
inline void SecureZero(std::vector<T>& v) {
    if (!v.empty()) SecureZero(v.data(), v.size() * sizeof(T));
    v.clear();
}

}  // namespace tl5
