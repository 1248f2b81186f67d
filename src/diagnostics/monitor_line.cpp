#include "diagnostics/monitor_line.h"

#include <cxxabi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

std::string ClassNameOf(const TObservable& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

std::string MonitorLine(const TObservable* sender, const TCodeSet& codes) {
    static const char* const kNames[] = {" Document",    " Filename",         " Modified",
                                         " DocCreate",   " DocDestroy",       " CurrentDoc",
                                         " CurrentList", " CurrentSelection", " History"};
    char address[2 * sizeof(void*) + 1];
    // At least eight digits, and all of them on a 64-bit system.
    std::snprintf(address, sizeof address, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(sender)));
    std::string line = (sender ? ClassNameOf(*sender) : std::string("nil")) + " (" + address + "):";
    for (int code = 1; code <= 9; ++code)
        if (codes.Has(code)) line += kNames[code - 1];
    return line;
}
