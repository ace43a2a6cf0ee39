// Wiping secrets from memory in a way the optimiser cannot remove.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tl5 {

void SecureZero(void* data, size_t size);

inline void SecureZero(std::u16string& s) {
    if (!s.empty()) SecureZero(s.data(), s.size() * sizeof(char16_t));
    s.clear();
}
inline void SecureZero(std::string& s) {
    if (!s.empty()) SecureZero(s.data(), s.size());
    s.clear();
}
template <typename T>
inline void SecureZero(std::vector<T>& v) {
    if (!v.empty()) SecureZero(v.data(), v.size() * sizeof(T));
    v.clear();
}

}  // namespace tl5
