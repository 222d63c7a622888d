#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable, or removes it with nothing.
inline void SetEnvironment(const char* pszName, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(pszName, value ? value->c_str() : "");
#else
    value ? setenv(pszName, value->c_str(), 1) : unsetenv(pszName);
#endif
}

// The same for the life of the object.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* pszName, const std::optional<std::string>& value)
        : m_pszName(pszName) {
        if (const char* pszOld = std::getenv(pszName)) {
            m_Old = pszOld;
        }
        SetEnvironment(pszName, value);
    }
    ~CScopedEnvironment() { SetEnvironment(m_pszName, m_Old); }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* m_pszName;
    std::optional<std::string> m_Old;
};
