// Sets or unsets one environment variable for a test and puts the old value back after.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class EnvironmentOverride {
public:
    // A null value unsets the variable.
    EnvironmentOverride(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_saved = old;
        Put(value);
    }
    ~EnvironmentOverride() { Put(m_saved ? m_saved->c_str() : nullptr); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    void Put(const char* value) {
        if (value)
            setenv(m_name.c_str(), value, 1);
        else
            unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_saved;
};
