// Sets the locale variables GetUserDefaultLangID reads for one test and restores them after.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class VersionLocaleOverride {
public:
    // A null value unsets the variable.
    VersionLocaleOverride(const char* lcAll, const char* lcMessages, const char* lang) {
        Set(0, lcAll);
        Set(1, lcMessages);
        Set(2, lang);
    }
    explicit VersionLocaleOverride(const char* lang)
        : VersionLocaleOverride(nullptr, nullptr, lang) {}
    ~VersionLocaleOverride() {
        for (int i = 0; i < kCount; ++i) Put(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    VersionLocaleOverride(const VersionLocaleOverride&) = delete;
    VersionLocaleOverride& operator=(const VersionLocaleOverride&) = delete;

private:
    static constexpr int kCount = 3;
    static constexpr const char* kNames[kCount] = {"LC_ALL", "LC_MESSAGES", "LANG"};

    static void Put(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    void Set(int index, const char* value) {
        if (const char* old = std::getenv(kNames[index])) m_saved[index] = old;
        Put(kNames[index], value);
    }

    std::optional<std::string> m_saved[kCount];
};
