#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable, or unsets it for a null value, and restores it at scope end.
struct ScopedVariable {
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            saved = old;
        set(value);
    }
    ~ScopedVariable() { set(saved ? saved->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    void set(const char* value) const { value ? setenv(name, value, 1) : unsetenv(name); }

    const char* name;
    std::optional<std::string> saved;
};
