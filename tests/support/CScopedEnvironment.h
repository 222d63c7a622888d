#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable, or removes it with nothing, for the life of the object.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* pszName, const std::optional<std::string>& value)
        : m_pszName(pszName) {
        if (const char* pszOld = std::getenv(pszName)) {
            m_Old = pszOld;
        }
        Set(value);
    }
    ~CScopedEnvironment() { Set(m_Old); }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        value ? setenv(m_pszName, value->c_str(), 1) : unsetenv(m_pszName);
    }
    const char* m_pszName;
    std::optional<std::string> m_Old;
};
