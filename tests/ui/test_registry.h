#pragma once
// Test classes register themselves here so that one main runs them all.
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace steam::uitest {

struct TestEntry {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};

inline std::vector<TestEntry>& testRegistry() {
    static std::vector<TestEntry> entries;
    return entries;
}

struct TestRegistration {
    TestRegistration(const char* name, std::function<std::unique_ptr<QObject>()> make) {
        testRegistry().push_back({name, std::move(make)});
    }
};

}  // namespace steam::uitest

#define REGISTER_UI_TEST(Class)                                         \
    static const steam::uitest::TestRegistration registration_##Class { \
#Class, [] { return std::make_unique<Class>(); }                \
    }
