#pragma once
// A fuzz target takes arbitrary bytes and must neither crash, leak, hang nor break a rule it
// checks. NV742_FUZZ_TARGET(name) { ... } defines one. In the fuzzing build it is the
// libFuzzer entry point of its program; in the normal test suite it is registered under its
// name, and every input kept in fuzz/corpus/<name>/ runs through it there.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace nv::fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);

inline std::map<std::string, Target>& targets() {
    static std::map<std::string, Target> all;
    return all;
}

struct Registration {
    Registration(const char* name, Target target) { targets()[name] = target; }
};

}  // namespace nv::fuzz

#ifdef NV742_LIBFUZZER
#define NV742_FUZZ_TARGET(name)                                                         \
    static int name##_fuzz(const std::uint8_t* data, std::size_t size);                 \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        return name##_fuzz(data, size);                                                 \
    }                                                                                   \
    static int name##_fuzz(const std::uint8_t* data, std::size_t size)
#else
#define NV742_FUZZ_TARGET(name)                                                  \
    static int name##_fuzz(const std::uint8_t* data, std::size_t size);          \
    static const nv::fuzz::Registration name##_registration(#name, name##_fuzz); \
    static int name##_fuzz(const std::uint8_t* data, std::size_t size)
#endif
