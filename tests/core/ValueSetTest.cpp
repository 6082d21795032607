#include <gtest/gtest.h>

#include <random>
#include <set>

#include "lists/ValueSet.h"
#include "platform/TextCodec.h"

namespace {

TEST(ValueSet, AddsEachKeyOnceComparingBytes) {
    ValueSet set;
    struct Case {
        std::string key;
        bool added;
    } cases[] = {
        {"x", true},
        {"x", false},
        {"X", true},
        {"", true},
        {"", false},
        {GBK("阿里云"), true},
        {GBK("阿里云") + " ", true},
        {GBK("阿里云"), false},
        {std::string("a\0b", 3), true},
        {"a", true},
        {std::string("a\0b", 3), false},
    };
    for (const auto& c : cases) EXPECT_EQ(set.addValue(c.key), c.added) << c.key;
    EXPECT_EQ(set.addedCount(), 7);
}

TEST(ValueSet, AgreesWithAnOrderedSetOverManyKeys) {
    std::mt19937 random(11);
    ValueSet set;
    std::set<std::string> reference;
    for (int i = 0; i < 60000; ++i) {
        std::string key = "k" + std::to_string(random() % 30000);
        ASSERT_EQ(set.addValue(key), reference.insert(key).second) << key;
    }
    EXPECT_EQ(set.addedCount(), static_cast<int>(reference.size()));
}

}  // namespace
